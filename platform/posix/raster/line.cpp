// One-pixel lines: along the major axis every pixel but the last, the minor coordinate
// rounded to the nearest.
#include <cstdint>
#include <cstdlib>

#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

namespace {

constexpr std::int64_t k_longestLine = std::int64_t{1} << 24;

void SetPixel(MonoBitmap* b, std::int64_t x, std::int64_t y) {
  if (x >= 0 && y >= 0 && x < b->width && y < b->height) b->pixels[static_cast<std::size_t>(y * b->width + x)] = 1;
}

}  // namespace

int DrawLine(MonoBitmap* bitmap, int x0, int y0, int x1, int y1) {
  std::int64_t dx = std::llabs(std::int64_t{x1} - x0), dy = std::llabs(std::int64_t{y1} - y0);
  int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
  bool xMajor = dx >= dy;
  std::int64_t major = xMajor ? dx : dy, minor = xMajor ? dy : dx;
  if (major > k_longestLine) return k_ERROR_INVALID_PARAMETER;
  // A halfway case takes the smaller minor coordinate, as the other platform's lines do:
  // it stays on the one reached so far when that coordinate grows, steps on when it falls.
  std::int64_t stay = (xMajor ? sy > 0 : sx > 0) ? 1 : 0;
  for (std::int64_t i = 0; i < major; ++i) {
    std::int64_t k = (2 * i * minor + major - stay) / (2 * major);  // nearest, halfway by the rule
    if (xMajor) SetPixel(bitmap, x0 + sx * i, y0 + sy * k);
    else SetPixel(bitmap, x0 + sx * k, y0 + sy * i);
  }
  return 0;
}

}  // namespace platform
