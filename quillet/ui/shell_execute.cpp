#include "quillet/ui/shell_execute.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/wide.h"

namespace quillet::ui {

int TShellExecute::Open(const std::string& path) {
  const std::wstring wide = platform::win32::WideFromGbk(path);
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

}  // namespace quillet::ui
