#include "glyphora/tools/rectangle_shape.h"

#include <algorithm>

#include "platform/system_error.h"

namespace glyphora {

namespace {

void SetCell(Page* page, int x, int y, unsigned char c) { page->cells[y * page->width + x] = c; }

void Sides(Page* page, int columns, unsigned char c) {
  for (int y = 0; y < page->height; ++y)
    for (int k = 0; k < columns; ++k) {
      SetCell(page, k, y, c);
      SetCell(page, page->width - 1 - k, y, c);
    }
}

// Row y spanning columns k ... width - 1 - k.
void Edge(Page* page, int y, int k, unsigned char character) {
  int last = page->width - 1 - k;
  for (int x = k; x <= last; ++x) {
    bool end = x == k || x == last;
    SetCell(page, x, y, character != 0 ? character : (end ? '+' : '-'));
  }
}

}  // namespace

int RectangleMakePage(Page* shape, int width, int height, unsigned char character, int thickness) {
  if (width < 1 || height < 1 || thickness < 1 || width > INT16_MAX || height > INT16_MAX)
    return platform::k_ERROR_INVALID_PARAMETER;
  Page page;
  int error = PageNew(&page, width, height);
  if (error != 0) return error;
  Sides(&page, std::min(thickness, (width + 1) / 2), character != 0 ? character : '|');
  int rows = std::min(thickness, (height + 1) / 2);
  for (int k = 0; k < rows; ++k) {
    Edge(&page, k, k, character);
    Edge(&page, height - 1 - k, k, character);
  }
  *shape = page;
  return 0;
}

}  // namespace glyphora
