// Folder names with their trailing separator.
#include <cstddef>

#include "platform/file.h"
#include "quillet/message/header/header_text.h"
#include "quillet/message/header/header_utils.h"

namespace {

// True when the last character of the folder is a separator. The scan walks the name
// from its start, so the trail byte 0x5C of a double-byte character at the end is not
// taken for a backslash.
bool EndsInSeparator(const std::string& folder) {
  std::size_t last = 0;
  for (std::size_t pos = 0; pos < folder.size(); pos += header_text::CharLength(folder, pos)) last = pos;
  if (header_text::CharLength(folder, last) != 1) return false;
  return folder[last] == '\\' || folder[last] == '/';
}

}  // namespace

// The separator added is the platform's ("\\" on Windows). An empty folder stays empty:
// it names the current folder, and a lone separator would name the root.
std::string WithBackslash(const std::string& folder) {
  if (folder.empty() || EndsInSeparator(folder)) return folder;
  return folder + platform::PathSeparator();
}
