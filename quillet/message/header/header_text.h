// Small text scanners shared by the header utilities. Header text is GBK bytes (or raw
// 8-bit bytes of some other charset), so scans for ASCII characters that can be GBK trail
// bytes step over double-byte characters.
#pragma once

#include <cstddef>
#include <string>

namespace header_text {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool IsGbkTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// Bytes of the character that starts at pos: 2 for a lead byte followed by a trail byte,
// else 1. A stray lead byte does not swallow the ASCII character after it.
inline std::size_t CharLength(const std::string& text, std::size_t pos) {
  if (pos + 1 < text.size() && IsGbkLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsGbkTrailByte(static_cast<unsigned char>(text[pos + 1])))
    return 2;
  return 1;
}

// The longest prefix of at most maxBytes bytes that does not split a double-byte character.
inline std::string CutAtCharBoundary(const std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + CharLength(text, end);
    if (next > maxBytes) break;
    end = next;
  }
  return text.substr(0, end);
}

// ASCII upper case; other bytes unchanged.
inline std::string UpperCase(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Position of the double quote that closes the quoted string opened at open (which holds
// a double quote), honouring backslash escapes; npos when it is never closed.
inline std::size_t ClosingQuote(const std::string& text, std::size_t open) {
  std::size_t pos = open + 1;
  while (pos < text.size()) {
    char c = text[pos];
    if (c == '"') return pos;
    if (c == '\\' && pos + 1 < text.size()) {
      pos += 1 + CharLength(text, pos + 1);
      continue;
    }
    pos += CharLength(text, pos);
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
    pos += CharLength(text, pos);
  }
  return std::string::npos;
}

}  // namespace header_text
