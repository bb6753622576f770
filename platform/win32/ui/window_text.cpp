#include "platform/win32/ui/window_text.h"

#include <cwchar>

#include "platform/win32/ui/window_state.h"
#include "platform/win32/wide.h"

namespace platform::win32::ui {

std::string WindowTextGbk(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, &text[0], length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return GbkFromWide(text);
}

bool SetWindowTextGbk(HWND hwnd, const std::string& text) {
  return SetWindowTextW(hwnd, WideFromGbk(text).c_str()) != 0;
}

std::string ResourceString(UINT id) {
  const wchar_t* text = nullptr;
  // With a zero buffer size the call hands out a pointer into the resource itself.
  int length = LoadStringW(ModuleInstance(), id, reinterpret_cast<wchar_t*>(&text), 0);
  if (length <= 0 || text == nullptr) return std::string();
  return GbkFromWide(std::wstring(text, static_cast<size_t>(length)));
}

std::string DialogItemTextGbk(HWND dialog, int id) { return WindowTextGbk(GetDlgItem(dialog, id)); }

bool DialogItemNumber(HWND dialog, int id, int* value) {
  std::string text = DialogItemTextGbk(dialog, id);
  if (text.empty() || text.size() > 9) return false;
  int number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + (c - '0');
  }
  *value = number;
  return true;
}

}  // namespace platform::win32::ui
