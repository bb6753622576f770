#include "glyphora/document/page/text_lines.h"

#include <algorithm>

#include "platform/system_error.h"

namespace glyphora {

std::vector<std::int32_t> TextLineEnds(const char* text, std::int32_t length, int width,
                                       int lineLimit) {
  std::vector<std::int32_t> ends;
  std::size_t limit = lineLimit > 0 ? static_cast<std::size_t>(lineLimit)
                                    : static_cast<std::size_t>(length) + 1;
  int column = 0;  // cells used on the line so far
  int word = 0;    // characters since the last space
  std::int32_t start = 0;
  for (std::int32_t i = 0; i < length && ends.size() < limit; ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < length && text[i + 1] == '\n') ++i;
      ends.push_back(i + 1);
      start = i + 1;
      column = word = 0;
      continue;
    }
    if (c == ' ') {
      ++column;
      word = 0;
      continue;
    }
    if (column >= width) {
      // The line ends before the word, which carries over; a word that alone fills
      // the width is broken right here.
      if (word >= width) word = 0;
      start = i - word;
      ends.push_back(start);
      column = word;
      if (ends.size() >= limit) break;
    }
    ++column;
    ++word;
  }
  if (start < length && ends.size() < limit) ends.push_back(length);
  return ends;
}

TextLine TrimTextLine(const char* text, std::int32_t start, std::int32_t end, int width) {
  TextLine line;
  line.start = start;
  std::int32_t n = std::min<std::int32_t>(end - start, width);
  while (n > 0) {
    char c = text[start + n - 1];
    if (c == '\r' || c == '\n') line.closed = true;
    else if (c != ' ') break;
    --n;
  }
  line.length = n;
  return line;
}

int PagePointerDims(const char* text, std::int32_t length, int* width, int* lines) {
  if (*width < 1) return platform::k_ERROR_INVALID_PARAMETER;
  std::vector<std::int32_t> ends = TextLineEnds(text, length, *width, 0);
  int longest = 0;
  std::int32_t start = 0;
  for (std::int32_t end : ends) {
    std::int32_t n = std::min<std::int32_t>(end - start, *width);
    while (n > 0 && (text[start + n - 1] == '\r' || text[start + n - 1] == '\n')) --n;
    longest = std::max<int>(longest, n);
    start = end;
  }
  *width = longest;
  *lines = static_cast<int>(ends.size());
  return 0;
}

}  // namespace glyphora
