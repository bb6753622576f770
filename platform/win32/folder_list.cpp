#include <windows.h>

#include <algorithm>

#include "platform/file.h"
#include "platform/win32/wide.h"

namespace platform {

std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& ext) {
  std::vector<std::string> names;
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(win32::WideFromGbk(pattern + "*" + ext).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    const std::string name = win32::GbkFromWide(found.cFileName);
    // The pattern also matches short names and longer extensions ("*.IND" finds "a.INDX").
    if (name.size() > ext.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str() + name.size() - ext.size(),
                                                   -1, ext.c_str(), -1) == CSTR_EQUAL)
      names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform
