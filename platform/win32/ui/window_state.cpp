#include "platform/win32/ui/window_state.h"

namespace platform::win32::ui {

HINSTANCE ModuleInstance() { return GetModuleHandleW(nullptr); }

bool RegisterWindowClass(const WindowClassSpec& spec) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(ModuleInstance(), spec.name, &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = spec.style;
  wc.lpfnWndProc = spec.procedure;
  wc.hInstance = ModuleInstance();
  wc.hIcon = spec.icon;
  wc.hIconSm = spec.icon;
  wc.hCursor = spec.cursor != nullptr ? spec.cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = spec.background;
  wc.lpszClassName = spec.name;
  return RegisterClassExW(&wc) != 0;
}

HWND CreateStateWindow(const WindowSpec& spec, void* state) {
  return CreateWindowExW(spec.exStyle, spec.className, spec.title.c_str(), spec.style,
                         spec.bounds.left, spec.bounds.top, spec.bounds.right, spec.bounds.bottom,
                         spec.parent, spec.menuOrId, ModuleInstance(), state);
}

}  // namespace platform::win32::ui
