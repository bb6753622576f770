#include "platform/win32/ui/window_state.h"

namespace platform::win32::ui {

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

bool RegisterWindowClass(const WindowClassParams& params) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(ModuleInstance(), params.name, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = params.style;
  wc.lpfnWndProc = params.procedure;
  wc.hInstance = ModuleInstance();
  wc.hIcon = params.icon;
  wc.hIconSm = params.icon;
  wc.hCursor = params.cursor != nullptr ? params.cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = params.background;
  wc.lpszClassName = params.name;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateStateWindow(const WindowParams& params, void* state) {
  return CreateWindowExW(params.exStyle, params.className, params.title.c_str(), params.style,
                         params.bounds.left, params.bounds.top, params.bounds.right, params.bounds.bottom,
                         params.parent, params.menuOrId, ModuleInstance(), state);
}

}  // namespace platform::win32::ui
