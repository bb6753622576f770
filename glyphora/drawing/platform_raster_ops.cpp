#include "glyphora/drawing/platform_raster_ops.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "platform/raster.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

// The platform draws on a bitmap of its own (same layout: a byte a pixel, 0 white, 1
// black); the tool's bitmap is changed only when the drawing succeeds.
template <typename Draw>
int OnPlatformBitmap(MonoBitmap* bitmap, Draw draw) {
  std::size_t count = static_cast<std::size_t>(bitmap->width) * static_cast<std::size_t>(bitmap->height);
  try {
    platform::MonoBitmap own;
    own.width = bitmap->width;
    own.height = bitmap->height;
    own.pixels.assign(bitmap->pixels, bitmap->pixels + count);
    if (int error = draw(&own)) return error;
    std::copy(own.pixels.begin(), own.pixels.end(), bitmap->pixels);
    return 0;
  } catch (const std::bad_alloc&) {
    return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  }
}

int Line(MonoBitmap* bitmap, int x0, int y0, int x1, int y1) {
  return OnPlatformBitmap(bitmap, [&](platform::MonoBitmap* own) { return platform::DrawLine(own, x0, y0, x1, y1); });
}

int Ellipse(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth) {
  return OnPlatformBitmap(bitmap, [&](platform::MonoBitmap* own) {
    return platform::DrawEllipseOutline(own, logicalWidth, logicalHeight, penWidth);
  });
}

int FloodFill(MonoBitmap* bitmap, int x, int y) {
  return OnPlatformBitmap(bitmap, [&](platform::MonoBitmap* own) { return platform::FloodFillSurface(own, x, y); });
}

}  // namespace

RasterOps PlatformRasterOps() { return {Line, Ellipse, FloodFill}; }

}  // namespace glyphora
