#include <cstring>

#include "glyphora/convert/text_table.h"
#include "platform/system_error.h"

namespace glyphora {

int HorizontalLine(Page* page, int row) {
  if (row < 0) return platform::k_ERROR_INVALID_PARAMETER;
  if (row >= page->height) {
    int error = PageResize(page, page->width, row + 1);
    if (error != 0) return error;
  }
  std::memset(page->cells + static_cast<std::size_t>(row) * page->width, '-',
              static_cast<std::size_t>(page->width));
  return 0;
}

void VerticalLine(Page* page, int column) {
  if (column < 0 || column >= page->width) return;
  for (int y = 0; y < page->height; ++y) {
    unsigned char& cell = page->cells[static_cast<std::size_t>(y) * page->width + column];
    cell = cell == '-' ? '+' : '|';
  }
}

}  // namespace glyphora
