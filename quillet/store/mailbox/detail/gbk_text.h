// Cutting GBK text to a byte limit without splitting a double-byte character
// (store-internal). A lead byte is 0x81..0xFE and takes the byte after it as its trail.
#pragma once

#include <cstddef>
#include <string>

inline std::size_t GbkCutLength(const std::string& text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  std::size_t i = 0;
  while (i < limit) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t width = (c >= 0x81 && c <= 0xFE) ? 2 : 1;
    if (i + width > limit) break;
    i += width;
  }
  return i;
}

inline std::string GbkCut(const std::string& text, std::size_t limit) {
  return text.substr(0, GbkCutLength(text, limit));
}

// Where the file-name part of a path starts: after the last "\" or "/" that is not the
// trail byte of a double-byte character.
inline std::size_t FileNameStart(const std::string& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(path[i]);
    if (c >= 0x81 && c <= 0xFE && i + 1 < path.size()) {
      ++i;
      continue;
    }
    if (c == '\\' || c == '/') start = i + 1;
  }
  return start;
}

// The path without the extension of its file name (from the last "." of the name on).
inline std::string WithoutExtension(const std::string& path) {
  std::size_t dot = path.rfind('.');  // "." is never a trail byte
  return dot == std::string::npos || dot < FileNameStart(path) ? path : path.substr(0, dot);
}
