#include "glyphora/tools/fill.h"

#include <cstring>

#include "platform/system_error.h"

namespace glyphora {

namespace {

bool Blank(unsigned char c) { return c == k_emptyCell || c == k_blankCell; }

bool Fillable(unsigned char cell, unsigned char target) {
  return Blank(target) ? Blank(cell) : cell == target;
}

// Fillable cells white, the others black.
void MarkFillable(MonoBitmap* bitmap, const Page& page, unsigned char target) {
  int count = page.width * page.height;
  for (int i = 0; i < count; ++i)
    bitmap->pixels[i] = Fillable(page.cells[i], target) ? k_white : k_black;
}

// The fill on a copy of the marked bitmap; the pixels it turned black are the area.
int FloodArea(const Page& page, int column, int row, const RasterOps& raster, MonoBitmap* before,
              MonoBitmap* after) {
  int error = MonoBitmapNew(before, page.width, page.height);
  if (error == 0) error = MonoBitmapNew(after, page.width, page.height);
  if (error != 0) return error;
  MarkFillable(before, page, page.cells[row * page.width + column]);
  std::memcpy(after->pixels, before->pixels, static_cast<std::size_t>(page.width) * page.height);
  return raster.floodFill(after, column, row);
}

}  // namespace

int FillOnPage(Page* page, int column, int row, unsigned char character, const RasterOps& raster) {
  if (column < 0 || row < 0 || column >= page->width || row >= page->height)
    return platform::k_ERROR_INVALID_PARAMETER;
  MonoBitmap before;
  MonoBitmap after;
  int error = FloodArea(*page, column, row, raster, &before, &after);
  if (error == 0) {
    int count = page->width * page->height;
    for (int i = 0; i < count; ++i)
      if (before.pixels[i] != after.pixels[i]) page->cells[i] = character;
  }
  MonoBitmapKill(&before);
  MonoBitmapKill(&after);
  return error;
}

}  // namespace glyphora
