// Ellipse outlines. A pen one pixel wide gives the same pixels as GDI: an integer walk
// along the lower-right quarter from the middle of the right side to the bottom row,
// mirrored into the other quarters, the top and bottom rows joined across. A wider pen
// fills the band between that outline and the one of the frame inset by the pen, so it
// is as many pixels wide at the sides as its width maps to across, and as many rows high
// at the top and bottom as it maps to down.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

namespace {

// Calls plot(x, y) for every pixel of the one-pixel outline of the ellipse in a
// width x height frame at the origin (pixels may come more than once). A frame two pixels
// or less across is solid; one of a single pixel has no outline.
template <typename Plot>
void ThinOutline(int width, int height, Plot plot) {
  if (width <= 2 || height <= 2) {
    if (std::int64_t{width} * height <= 1) return;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) plot(x, y);
    return;
  }
  const std::int64_t a = width - 1, b = height - 1;
  const std::int64_t aStep = 8 * a * a, bStep = 8 * b * b;
  std::int64_t dx = 4 * b * b * (1 - a), dy = 4 * a * a * (1 + b % 2);
  std::int64_t err = dx + dy + a * a * (b % 2);
  int x = width - 1, y = height / 2, lastX = x, lastY = y;
  while (x >= width / 2) {
    plot(x, y), plot(width - 1 - x, y), plot(x, height - 1 - y), plot(width - 1 - x, height - 1 - y);
    lastX = x, lastY = y;
    std::int64_t e2 = 2 * err;
    if (e2 >= dx) --x, dx += bStep, err += dx;
    if (e2 <= dy) ++y, dy += aStep, err += dy;
  }
  for (int across = width - 1 - lastX; across <= lastX; ++across) plot(across, lastY), plot(across, height - 1 - lastY);
}

void Set(MonoBitmap* bitmap, int x, int y) { bitmap->pixels[static_cast<std::size_t>(y) * bitmap->width + x] = 1; }

// The leftmost outline pixel of each row of a width x height frame (width when the row
// has none): the filled ellipse spans from it to its mirror.
std::vector<int> RowStarts(int width, int height) {
  std::vector<int> starts(static_cast<std::size_t>(height), width);
  ThinOutline(width, height, [&](int x, int y) { starts[y] = std::min(starts[y], x); });
  return starts;
}

// The band between the frame's ellipse and the inner one, inset by penX across and penY
// down: every pixel of the outer filled ellipse that the inner filled ellipse leaves out.
void WideOutline(MonoBitmap* bitmap, int penX, int penY) {
  int width = bitmap->width, height = bitmap->height;
  int innerWidth = width - 2 * penX, innerHeight = height - 2 * penY;
  std::vector<int> outer = RowStarts(width, height);
  std::vector<int> inner;
  if (innerWidth > 0 && innerHeight > 0) inner = RowStarts(innerWidth, innerHeight);
  for (int y = 0; y < height; ++y) {
    int innerRow = y - penY, holeFrom = width, holeTo = -1;
    if (innerRow >= 0 && innerRow < innerHeight && inner[innerRow] < innerWidth)
      holeFrom = penX + inner[innerRow], holeTo = width - 1 - holeFrom;
    for (int x = outer[y]; x < width - outer[y]; ++x)
      if (x < holeFrom || x > holeTo) Set(bitmap, x, y);
  }
}

// A pen of pen logical units, in pixels of a side of pixels pixels mapped from logical
// units: rounded to the nearest, at least 1.
int DevicePen(int pen, int pixels, int logical) {
  std::int64_t device = (2 * std::int64_t{pen} * pixels + logical) / (2 * std::int64_t{logical});
  return static_cast<int>(std::clamp<std::int64_t>(device, 1, pixels));
}

}  // namespace

int DrawEllipseOutline(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth) {
  if (logicalWidth < 1 || logicalHeight < 1 || penWidth < 1 || bitmap->width > k_largestEllipse ||
      bitmap->height > k_largestEllipse)
    return k_ERROR_INVALID_PARAMETER;
  if (bitmap->width < 1 || bitmap->height < 1) return 0;
  int penX = DevicePen(penWidth, bitmap->width, logicalWidth);
  int penY = DevicePen(penWidth, bitmap->height, logicalHeight);
  if (penX == 1 && penY == 1) ThinOutline(bitmap->width, bitmap->height, [&](int x, int y) { Set(bitmap, x, y); });
  else WideOutline(bitmap, penX, penY);
  return 0;
}

}  // namespace platform
