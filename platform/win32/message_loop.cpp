// Hidden windows are message-only windows of one registered class whose window procedure
// hands each message to the handler kept in the window's user data.
#include "platform/message_loop.h"

#include <windows.h>

namespace platform {

namespace {

constexpr wchar_t k_hiddenWindowClass[] = L"QuilletHiddenWindow";

LRESULT CALLBACK HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* handler = reinterpret_cast<TMessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  std::intptr_t result = 0;
  if (handler != nullptr && (*handler)({message, wParam, lParam}, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterHiddenWindowClass() {
  static const bool registered = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = HiddenWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = k_hiddenWindowClass;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

HWND AsWindow(WindowHandle window) { return reinterpret_cast<HWND>(window); }

}  // namespace

THiddenWindow::THiddenWindow(TMessageHandler handler) {
  RegisterHiddenWindowClass();
  HWND window = CreateWindowExW(0, k_hiddenWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return;
  SetWindowLongPtrW(window, GWLP_USERDATA,
                    reinterpret_cast<LONG_PTR>(new TMessageHandler(std::move(handler))));
  handle_ = reinterpret_cast<WindowHandle>(window);
}

THiddenWindow::~THiddenWindow() {
  if (handle_ == 0) return;
  HWND window = AsWindow(handle_);
  auto* handler = reinterpret_cast<TMessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);  // its timers go with it; messages still queued find no window
  delete handler;
}

bool PostWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
  return PostMessageW(AsWindow(window), message, wParam, lParam) != 0;
}

std::intptr_t SendWindowMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                std::intptr_t lParam) {
  if (window == 0 || !IsWindow(AsWindow(window))) return 0;
  return SendMessageW(AsWindow(window), message, wParam, lParam);
}

bool SetWindowTimer(WindowHandle window, std::uintptr_t id, unsigned milliseconds) {
  return SetTimer(AsWindow(window), id, milliseconds, nullptr) != 0;
}

void KillWindowTimer(WindowHandle window, std::uintptr_t id) { KillTimer(AsWindow(window), id); }

void ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {  // the program's own loop must see it: kept, and the pump stops
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void WaitAndProcessMessages(unsigned milliseconds) {
  MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  ProcessMessages();
}

}  // namespace platform
