#include "glyphora/tools/circle_shape.h"

#include <cstdint>
#include <cstdlib>

#include "platform/system_error.h"

namespace glyphora {

unsigned char CircleCharacter(int x, int y, int width, int height) {
  long long dx = 2LL * x - width;
  long long dy = 2LL * y - height;
  long long ax = std::llabs(dx);
  long long ay = std::llabs(dy);
  if (height * ax >= 2 * width * ay) return '|';
  if (width * ay >= 2 * height * ax) return '-';
  return dx * dy > 0 ? '/' : '\\';
}

int CircleMakePage(Page* shape, int width, int height, unsigned char character, int thickness,
                   const CellSize& cell, const RasterOps& raster) {
  if (width < 1 || height < 1 || thickness < 1 || width > INT16_MAX || height > INT16_MAX ||
      thickness > INT16_MAX)
    return platform::k_ERROR_INVALID_PARAMETER;
  int rows = VerticalThickness(thickness, cell);
  if (static_cast<long long>(rows) * thickness > INT32_MAX ||
      static_cast<long long>(rows) * width > INT32_MAX ||
      static_cast<long long>(thickness) * height > INT32_MAX)
    return platform::k_ERROR_INVALID_PARAMETER;
  Page page;
  MonoBitmap bitmap;
  int error = ShapeCanvasNew(&page, width, height, &bitmap, width, height);
  if (error != 0) return error;
  // A pixel is rows units wide and thickness units high, so a pen of rows x thickness
  // units is thickness pixels across and rows pixels down.
  error = raster.ellipse(&bitmap, width * rows, height * thickness, rows * thickness);
  for (int y = 0; error == 0 && y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (MonoPixel(&bitmap, x, y) == k_black)
        page.cells[y * width + x] =
            character != 0 ? character : CircleCharacter(x, y, width, height);
  return ShapeCanvasFinish(shape, &page, &bitmap, error);
}

}  // namespace glyphora
