#include "quillet/message/codec/codecs.h"
#include "quillet/message/header/header_text.h"

namespace {
bool IsPathSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

// A double-byte character is stepped over whole, so its trail byte (0x5C or 0x7C among
// them) is never taken for a separator; a lead byte without a trail byte after it does not
// hide the separator that follows.
std::string ExtractFileName(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); i += header_text::CharLength(path, i)) {
    if (IsPathSeparator(path[i])) start = i + 1;
  }
  return path.substr(start);
}
