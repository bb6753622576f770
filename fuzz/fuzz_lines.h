// Fuzzed bytes as header lines: one entry per LF-separated piece.
#pragma once

#include <cstddef>
#include <string>

#include "quillet/common/lines.h"

inline TStringList SplitFuzzLines(const std::string& text) {
  TStringList lines;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return lines;
    start = end + 1;
  }
}
