// What the shape tools and the fill ask of the platform's drawing: a one-bit bitmap and
// three operations on it. The editor passes the platform's implementation; the shapes
// only read the black pixels back.
#pragma once

#include "glyphora/document/page/page.h"

namespace glyphora {

// One byte per pixel, row-major: k_white or k_black.
struct MonoBitmap {
  int width = 0;
  int height = 0;
  unsigned char* pixels = nullptr;  // owned: MonoBitmapKill frees it
};

constexpr unsigned char k_white = 0;
constexpr unsigned char k_black = 1;

// A white bitmap of width x height pixels; k_ERROR_NOT_ENOUGH_MEMORY or
// k_ERROR_INVALID_PARAMETER (a negative size), the bitmap then untouched.
int MonoBitmapNew(MonoBitmap* bitmap, int width, int height);
void MonoBitmapKill(MonoBitmap* bitmap);
inline unsigned char& MonoPixel(MonoBitmap* bitmap, int x, int y) {
  return bitmap->pixels[y * bitmap->width + x];
}

// The platform's drawing. Each returns 0 or a system error number; pixels outside the
// bitmap are clipped.
struct RasterOps {
  // A black line from (x0, y0) towards (x1, y1), the end point itself not drawn.
  int (*line)(MonoBitmap* bitmap, int x0, int y0, int x1, int y1);
  // The black outline of the ellipse that fills a logical extent of logicalWidth x
  // logicalHeight units mapped onto the whole bitmap, drawn with a pen of penWidth
  // logical units that lies inside the ellipse's frame; the inside is not filled.
  int (*ellipse)(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth);
  // Fills the white surface that holds (x, y) with black, four-neighbour connected.
  int (*floodFill)(MonoBitmap* bitmap, int x, int y);
};

}  // namespace glyphora
