// Quote scanners shared by the header utilities. Header text is GBK bytes (or raw 8-bit
// bytes of some other charset), so scans for ASCII characters that can be GBK trail bytes
// step over double-byte characters (quillet/common/gbk.h).
#pragma once

#include <cstddef>
#include <string>

#include "quillet/common/gbk.h"

namespace header_text {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Position of the double quote that closes the quoted string opened at open (which holds
// a double quote), honouring backslash escapes; npos when it is never closed.
inline std::size_t ClosingQuote(const std::string& text, std::size_t open) {
  std::size_t pos = open + 1;
  while (pos < text.size()) {
    char c = text[pos];
    if (c == '"') return pos;
    if (c == '\\' && pos + 1 < text.size()) {
      pos = gbk::NextChar(text, pos + 1);
      continue;
    }
    pos = gbk::NextChar(text, pos);
  }
  return std::string::npos;
}

// The first target character at or after from that is outside double quotes; npos if none.
// An unclosed quote hides the rest of the text.
inline std::size_t FindOutsideQuotes(const std::string& text, char target, std::size_t from = 0) {
  std::size_t pos = from;
  while (pos < text.size()) {
    char c = text[pos];
    if (c == target) return pos;
    if (c == '"') {
      std::size_t close = ClosingQuote(text, pos);
      if (close == std::string::npos) return std::string::npos;
      pos = close + 1;
      continue;
    }
    pos = gbk::NextChar(text, pos);
  }
  return std::string::npos;
}

}  // namespace header_text
