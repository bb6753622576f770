#include "platform/win32/ui/file_dialog.h"

#include <commdlg.h>

#include "platform/win32/wide.h"

namespace platform::win32::ui {

std::wstring FilterString(const FileFilters& filters) {
  std::wstring text;
  for (const auto& [description, pattern] : filters) {
    text += WideFromGbk(description);
    text += L'\0';
    text += WideFromGbk(pattern);
    text += L'\0';
  }
  text += L'\0';
  return text;
}

namespace {

bool RunDialog(FileDialogRequest* params, bool save) {
  std::wstring filters = FilterString(params->filters);
  std::wstring extension = WideFromGbk(params->defaultExtension);
  wchar_t buffer[k_fileDialogBuffer] = {};
  std::wstring start = WideFromGbk(params->path);
  start.copy(buffer, k_fileDialogBuffer - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = params->owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(params->filterIndex);
  ofn.lpstrFile = buffer;
  ofn.nMaxFile = k_fileDialogBuffer;
  ofn.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
              (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!chosen) return false;
  params->path = GbkFromWide(buffer);
  params->filterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

}  // namespace

bool OpenFileDialog(FileDialogRequest* params) { return RunDialog(params, false); }
bool SaveFileDialog(FileDialogRequest* params) { return RunDialog(params, true); }

}  // namespace platform::win32::ui
