// Ellipse outlines: a pixel is black when its centre, taken into the logical extent, lies
// inside the ellipse that fills the extent and not inside the one shrunk by the pen on
// every side.
#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

namespace {

// Whether (x, y) lies inside the ellipse with these half-axes round (cx, cy).
bool Inside(double x, double y, double cx, double cy, double rx, double ry) {
  if (rx <= 0 || ry <= 0) return false;
  double dx = (x - cx) / rx, dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

}  // namespace

int DrawEllipseOutline(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth) {
  if (logicalWidth < 1 || logicalHeight < 1 || penWidth < 1) return k_ERROR_INVALID_PARAMETER;
  double cx = logicalWidth / 2.0, cy = logicalHeight / 2.0;
  for (int y = 0; y < bitmap->height; ++y) {
    for (int x = 0; x < bitmap->width; ++x) {
      double lx = (x + 0.5) * logicalWidth / bitmap->width, ly = (y + 0.5) * logicalHeight / bitmap->height;
      if (Inside(lx, ly, cx, cy, cx, cy) && !Inside(lx, ly, cx, cy, cx - penWidth, cy - penWidth))
        bitmap->pixels[static_cast<std::size_t>(y) * bitmap->width + x] = 1;
    }
  }
  return 0;
}

}  // namespace platform
