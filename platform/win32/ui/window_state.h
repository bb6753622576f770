// Windows and dialogs of the kit: a window is a plain struct holding its handles and
// state; the struct rides in the window (stored at WM_NCCREATE, or WM_INITDIALOG for a
// dialog), so a window procedure is a short switch that forwards to named functions.
#pragma once

#include <windows.h>

#include <string>

namespace platform::win32::ui {

// The state struct of a window: stores the create parameter at WM_NCCREATE and sets the
// struct's hwnd member; afterwards returns what was stored (null before WM_NCCREATE, so
// the few messages that come first go to DefWindowProcW).
template <class State>
State* WindowState(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* state = static_cast<State*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    if (state != nullptr) state->hwnd = hwnd;
    return state;
  }
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The same for a dialog: the DialogBoxParamW/CreateDialogParamW parameter is stored at
// WM_INITDIALOG.
template <class State>
State* DialogState(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* state = reinterpret_cast<State*>(lParam);
    SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    if (state != nullptr) state->hwnd = hwnd;
    return state;
  }
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, DWLP_USER));
}

// The procedure of a dialog that is only set up, then confirmed or cancelled: Init at
// WM_INITDIALOG, Ok for the OK button (it ends the dialog when it accepts), Cancel ends it.
template <class State, void (*Init)(State*), void (*Ok)(State*)>
INT_PTR OkCancelDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  State* state = DialogState<State>(hwnd, message, lParam);
  if (state == nullptr) return FALSE;
  if (message == WM_INITDIALOG) {
    Init(state);
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  if (LOWORD(wParam) == IDOK) Ok(state);
  if (LOWORD(wParam) == IDCANCEL) EndDialog(hwnd, IDCANCEL);
  return TRUE;
}

// The same for an MDI child: its create parameter arrives inside the MDICREATESTRUCTW
// (the lParam of WM_MDICREATE's structure).
template <class State>
State* MdiChildState(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    const auto* mdi = static_cast<const MDICREATESTRUCTW*>(create->lpCreateParams);
    auto* state = mdi != nullptr ? reinterpret_cast<State*>(mdi->lParam) : nullptr;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    if (state != nullptr) state->hwnd = hwnd;
    return state;
  }
  return reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

struct WindowClassParams {
  const wchar_t* name;
  WNDPROC procedure;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;  // null: the arrow
  HBRUSH background = nullptr;
  UINT style = CS_HREDRAW | CS_VREDRAW;
};

// Registers the class in this module; a class already registered counts as success.
// False (with the system's last error) otherwise.
bool RegisterWindowClass(const WindowClassParams& params);

struct WindowParams {
  const wchar_t* className;
  std::wstring title;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD exStyle = 0;
  HWND parent = nullptr;
  HMENU menuOrId = nullptr;  // a menu for a top-level window, the control id for a child
  RECT bounds{static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT),
              static_cast<LONG>(CW_USEDEFAULT), static_cast<LONG>(CW_USEDEFAULT)};  // left, top, width, height
};

// Creates the window with state as its create parameter (see WindowState).
HWND CreateStateWindow(const WindowParams& params, void* state);

// The module that holds the program's resources.
HINSTANCE ModuleInstance();

}  // namespace platform::win32::ui
