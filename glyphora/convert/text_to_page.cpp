#include "glyphora/convert/text_to_page.h"

#include <algorithm>
#include <vector>

#include "glyphora/document/page/text_lines.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

// Spreads the spare cells of a line over its spaces: at each space the spare count is
// added to an accumulator, and every time it reaches the number of spaces one more
// space is put and the number of spaces taken off.
void LayFull(unsigned char* row, const char* s, int n, int width) {
  int spaces = static_cast<int>(std::count(s, s + n, ' '));
  int spare = width - n;
  int accumulator = 0;
  int out = 0;
  for (int i = 0; i < n; ++i) {
    if (s[i] == ' ') {
      accumulator += spare;
      for (; accumulator >= spaces; accumulator -= spaces) row[out++] = ' ';
    }
    row[out++] = static_cast<unsigned char>(s[i]);
  }
}

void LayLine(unsigned char* row, int width, const char* s, const TextLine& line,
             Justify justify) {
  int n = line.length;
  int at = 0;
  switch (justify) {
    case Justify::Left: break;
    case Justify::Centre: at = (width - n) / 2; break;
    case Justify::Right: at = width - n; break;
    case Justify::Full:
      if (!line.closed && std::count(s, s + n, ' ') > 0) {
        LayFull(row, s, n, width);
        return;
      }
      break;
  }
  std::copy(s, s + n, row + at);
}

}  // namespace

int TextToPage(Page* page, int width, int lineLimit, Justify justify, const char* text,
               std::int32_t length) {
  if (width < 1 || width > INT16_MAX) return platform::k_ERROR_INVALID_PARAMETER;
  std::vector<std::int32_t> ends = TextLineEnds(text, length, width, lineLimit);
  if (ends.size() > static_cast<std::size_t>(INT16_MAX)) return platform::k_ERROR_INVALID_DATA;
  int error = PageNew(page, width, static_cast<int>(ends.size()));
  if (error != 0) return error;
  std::int32_t start = 0;
  for (std::size_t y = 0; y < ends.size(); ++y) {
    TextLine line = TrimTextLine(text, start, ends[y], width);
    line.closed = line.closed || y + 1 == ends.size();
    LayLine(page->cells + y * static_cast<std::size_t>(width), width, text + start, line,
            justify);
    start = ends[y];
  }
  return 0;
}

}  // namespace glyphora
