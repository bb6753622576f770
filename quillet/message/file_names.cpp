#include "quillet/message/codecs.h"

namespace {
bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsPathSeparator(char c) { return c == '\\' || c == '/' || c == ':'; }
}  // namespace

std::string ExtractFileName(const std::string& path) {
  size_t start = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsGbkLeadByte(static_cast<unsigned char>(path[i])) && i + 1 < path.size()) {
      ++i;  // the trail byte may be 0x5C or 0x7C and is no separator
    } else if (IsPathSeparator(path[i])) {
      start = i + 1;
    }
  }
  return path.substr(start);
}
