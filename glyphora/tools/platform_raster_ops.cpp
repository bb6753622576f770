#include "glyphora/tools/platform_raster_ops.h"

#include <algorithm>

#include "platform/raster.h"

namespace glyphora {

namespace {

// The platform keeps its bitmap in a vector of the same one-byte pixels.
platform::MonoBitmap ToPlatform(const MonoBitmap& bitmap) {
  platform::MonoBitmap copy;
  copy.width = bitmap.width;
  copy.height = bitmap.height;
  copy.pixels.assign(bitmap.pixels, bitmap.pixels + static_cast<std::size_t>(bitmap.width) * bitmap.height);
  return copy;
}

void FromPlatform(const platform::MonoBitmap& copy, MonoBitmap* bitmap) {
  std::copy(copy.pixels.begin(), copy.pixels.end(), bitmap->pixels);
}

int Line(MonoBitmap* bitmap, int x0, int y0, int x1, int y1) {
  platform::MonoBitmap copy = ToPlatform(*bitmap);
  int error = platform::DrawLine(&copy, x0, y0, x1, y1);
  if (error == 0) FromPlatform(copy, bitmap);
  return error;
}

int FloodFill(MonoBitmap* bitmap, int x, int y) {
  platform::MonoBitmap copy = ToPlatform(*bitmap);
  int error = platform::FloodFillSurface(&copy, x, y);
  if (error == 0) FromPlatform(copy, bitmap);
  return error;
}

int Ellipse(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth) {
  platform::MonoBitmap copy = ToPlatform(*bitmap);
  int error = platform::DrawEllipseOutline(&copy, logicalWidth, logicalHeight, penWidth);
  if (error == 0) FromPlatform(copy, bitmap);
  return error;
}

}  // namespace

RasterOps PlatformRasterOps() { return RasterOps{Line, Ellipse, FloodFill}; }

}  // namespace glyphora
