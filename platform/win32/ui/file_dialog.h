// The common open and save dialogs. Filters are (description, pattern) pairs in GBK,
// shown in order with the first selected.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace platform::win32::ui {

using FileFilters = std::vector<std::pair<std::string, std::string>>;

// The dialogs' filter string: every description and pattern followed by a NUL, and one
// more NUL at the end.
std::wstring FilterString(const FileFilters& filters);

struct FileDialogRequest {
  HWND owner = nullptr;
  FileFilters filters;
  std::string defaultExtension;  // without the dot; "" for none
  std::string path;              // in: the name it starts with; out: the chosen path (GBK)
  int filterIndex = 1;           // in: the filter shown first; out: the one chosen (from 1)
};

// The path buffer of both dialogs, in characters.
constexpr int k_fileDialogBuffer = 512;

// Open: the file must exist, the read-only box is hidden. False when cancelled or when
// the dialog fails (then CommDlgExtendedError() tells which).
bool OpenFileDialog(FileDialogRequest* params);
// Save As: asks before overwriting, the read-only box is hidden.
bool SaveFileDialog(FileDialogRequest* params);

}  // namespace platform::win32::ui
