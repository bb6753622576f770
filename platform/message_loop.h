// Hidden windows, window messages and timers: the event source of the protocol objects.
// win32: message-only windows (HWND_MESSAGE), PostMessage/SendMessage, SetTimer and the
// thread's message queue, so GUI windows are served by the same pump.
// posix: one loop per process with the same semantics: a queue of posted messages, timers
// that post k_timerMessage, and the socket readiness of platform/socket.h, all waited on by
// one poll(). Everything runs on the thread that created the windows; only PostMessage may
// be called from another thread (the host look-up helper does).
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// A window handle; 0 is none.
using WindowHandle = std::uintptr_t;

// WM_USER: the first number free for a program's own messages.
constexpr unsigned k_userMessage = 0x0400;
// WM_TIMER: a timer of the window fired; the word parameter is the timer's id.
constexpr unsigned k_timerMessage = 0x0113;

// One message for a window. `handled` false lets it fall through to the default handling
// (DefWindowProc), which ignores it; the result is what SendWindowMessage returns.
struct TWindowMessage {
  unsigned message = 0;
  std::uintptr_t wParam = 0;
  std::intptr_t lParam = 0;
};
using TMessageHandler = std::function<bool(const TWindowMessage& message, std::intptr_t& result)>;

// A hidden window whose messages go to a handler; destroying it destroys the window, kills
// its timers and drops the messages still queued for it.
class THiddenWindow {
 public:
  explicit THiddenWindow(TMessageHandler handler);
  ~THiddenWindow();
  THiddenWindow(const THiddenWindow&) = delete;
  THiddenWindow& operator=(const THiddenWindow&) = delete;

  WindowHandle Handle() const { return handle_; }

 private:
  WindowHandle handle_ = 0;
};

// Queues a message for the window and returns at once; false when the window is gone.
bool PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                       std::intptr_t lParam);
// Calls the window's handler now and gives its result (0 when not handled or no window).
std::intptr_t SendWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam);

// Starts (or restarts) the window's timer `id`, which posts k_timerMessage every interval.
bool SetWindowTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds);
void KillWindowTimer(WindowHandle window, std::uintptr_t id);

// Handles every message that is pending now (socket events, timers, posted messages) and
// returns without waiting.
void ProcessMessages();
// Waits until a message is pending or `milliseconds` passed, then handles what is pending.
// A pump loop calls this instead of spinning on ProcessMessages.
void WaitAndProcessMessages(unsigned milliseconds);

}  // namespace platform
