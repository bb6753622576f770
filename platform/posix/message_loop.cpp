// Hidden windows, messages and timers over the process-wide poll() loop.
#include "platform/message_loop.h"

#include "platform/posix/event_loop.h"

namespace platform {

using posix_loop::TEventLoop;

THiddenWindow::THiddenWindow(TMessageHandler handler)
    : handle_(TEventLoop::Instance().AddWindow(std::move(handler))) {}

THiddenWindow::~THiddenWindow() { TEventLoop::Instance().RemoveWindow(handle_); }

bool PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
  return TEventLoop::Instance().Post(window, message, wParam, lParam);
}

std::intptr_t SendWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  return TEventLoop::Instance().Send(window, message, wParam, lParam);
}

bool SetWindowTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds) {
  return TEventLoop::Instance().SetTimer(window, id, milliseconds);
}

void KillWindowTimer(WindowHandle window, std::uintptr_t id) {
  TEventLoop::Instance().KillTimer(window, id);
}

void ProcessMessages() { TEventLoop::Instance().ProcessPending(); }

void WaitAndProcessMessages(unsigned milliseconds) {
  TEventLoop::Instance().WaitAndProcess(milliseconds);
}

}  // namespace platform
