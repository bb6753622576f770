// GBK text as the core keeps it: a double-byte character is a lead byte 0x81..0xFE
// followed by a trail byte 0x40..0xFE (not 0x7F); every other byte is one character.
// Trail bytes include "\" (0x5C), "|" (0x7C) and "@" (0x40), so scans for those ASCII
// characters must step over double-byte characters.
//
// One rule for broken text: a lead byte at the end of the text, or followed by a byte
// that cannot be a trail byte, is a character of its own (one byte). It never swallows
// the ASCII character after it, so a stray 0x81 cannot hide a separator, a quote or a
// line end, and a cut keeps the stray byte rather than dropping it.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>

namespace gbk {

inline bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; }

// Bytes of the character that starts at pos (pos < text.size()): 2 for a lead byte
// followed by a trail byte, else 1.
inline std::size_t CharLength(const std::string& text, std::size_t pos) {
  if (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos])) &&
      IsTrailByte(static_cast<unsigned char>(text[pos + 1])))
    return 2;
  return 1;
}

// The position of the character after the one at pos.
inline std::size_t NextChar(const std::string& text, std::size_t pos) { return pos + CharLength(text, pos); }

// The length of the longest prefix of at most maxBytes bytes that ends on a character
// boundary.
inline std::size_t CutLength(const std::string& text, std::size_t maxBytes) {
  if (text.size() <= maxBytes) return text.size();
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = NextChar(text, end);
    if (next > maxBytes) break;
    end = next;
  }
  return end;
}

// The text cut to at most maxBytes bytes without splitting a double-byte character.
inline std::string Cut(const std::string& text, std::size_t maxBytes) { return text.substr(0, CutLength(text, maxBytes)); }

// ASCII case only; every other byte is unchanged. Applied to GBK text these may change
// a trail byte that looks like a letter; callers fold keywords, names and field values
// whose comparisons do not depend on such characters, and CompareNoCase steps over them.
inline char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The value of an ASCII hex digit (either case), -1 for any other byte.
inline int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = AsciiLower(c);
  return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

inline std::string UpperCase(std::string text) {
  for (char& c : text) c = AsciiUpper(c);
  return text;
}

inline std::string LowerCase(std::string text) {
  for (char& c : text) c = AsciiLower(c);
  return text;
}

// <0, 0 or >0 as a is before, equal to or after b: ASCII letters without regard to case,
// double-byte characters by their bytes (their trail byte may look like a letter, and
// "\x81\x41" is not "\x81\x61"); a shorter text that is a prefix of the other comes
// first. While the texts agree both are at the same character boundary.
inline int CompareNoCase(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n;) {
    const std::size_t step = std::max(CharLength(a, i), CharLength(b, i));
    for (std::size_t k = i; k < i + step && k < n; ++k) {
      unsigned char ca = static_cast<unsigned char>(step == 1 ? AsciiLower(a[k]) : a[k]);
      unsigned char cb = static_cast<unsigned char>(step == 1 ? AsciiLower(b[k]) : b[k]);
      if (ca != cb) return ca - cb;
    }
    i += step;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// True when the text holds at least one byte of 128 or above and every such byte belongs
// to a GB2312 character (lead and trail 0xA1..0xFE, lead at most 0xF7).
inline bool IsGb2312Text(const std::string& text) {
  bool sawEightBit = false;
  for (std::size_t pos = 0; pos < text.size();) {
    unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
      ++pos;
      continue;
    }
    unsigned char trail = pos + 1 < text.size() ? static_cast<unsigned char>(text[pos + 1]) : 0;
    if (lead < 0xA1 || lead > 0xF7 || trail < 0xA1 || trail > 0xFE) return false;
    sawEightBit = true;
    pos += 2;
  }
  return sawEightBit;
}

inline bool EqualNoCase(const std::string& a, const std::string& b) { return a.size() == b.size() && CompareNoCase(a, b) == 0; }

// True when text begins with prefix, ASCII letters without regard to case.
inline bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && EqualNoCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace gbk
