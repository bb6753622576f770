#include "tests/glyphora/tools/raster_reference.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/system_error.h"

namespace glyphora_test {

namespace {

using glyphora::k_black;
using glyphora::k_white;
using glyphora::MonoBitmap;

bool Inside(const MonoBitmap* b, int x, int y) { return x >= 0 && y >= 0 && x < b->width && y < b->height; }

void Plot(MonoBitmap* b, int x, int y) {
  if (Inside(b, x, y)) b->pixels[y * b->width + x] = k_black;
}

// Bresenham's line, the end point left out.
int Line(MonoBitmap* b, int x0, int y0, int x1, int y1) {
  int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
  int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
  for (int err = dx + dy; x0 != x1 || y0 != y1;) {
    Plot(b, x0, y0);
    int e2 = 2 * err;
    if (e2 >= dy) err += dy, x0 += sx;
    if (e2 <= dx) err += dx, y0 += sy;
  }
  return 0;
}

// In a (w, h) ellipse centred on the origin; an ellipse with a radius of 0 or less is empty.
bool InEllipse(double x, double y, double a, double b) {
  return a > 0 && b > 0 && (x * x) / (a * a) + (y * y) / (b * b) <= 1.0;
}

// A pixel is black when its centre, in logical units, lies in the outer ellipse and not
// in the inner one (the outer shrunk by the pen on every side).
int Ellipse(MonoBitmap* b, int logicalWidth, int logicalHeight, int pen) {
  double a = logicalWidth / 2.0, c = logicalHeight / 2.0;
  for (int y = 0; y < b->height; ++y)
    for (int x = 0; x < b->width; ++x) {
      double px = (x + 0.5) * logicalWidth / b->width - a;
      double py = (y + 0.5) * logicalHeight / b->height - c;
      if (InEllipse(px, py, a, c) && !InEllipse(px, py, a - pen, c - pen)) Plot(b, x, y);
    }
  return 0;
}

int Flood(MonoBitmap* b, int x, int y) {
  std::vector<std::pair<int, int>> todo{{x, y}};
  while (!todo.empty()) {
    auto [px, py] = todo.back();
    todo.pop_back();
    if (!Inside(b, px, py) || b->pixels[py * b->width + px] != k_white) continue;
    Plot(b, px, py);
    todo.insert(todo.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
  }
  return 0;
}

int FailLine(MonoBitmap*, int, int, int, int) { return platform::k_ERROR_GEN_FAILURE; }
int FailEllipse(MonoBitmap*, int, int, int) { return platform::k_ERROR_GEN_FAILURE; }
int FailFlood(MonoBitmap*, int, int) { return platform::k_ERROR_GEN_FAILURE; }

}  // namespace

glyphora::RasterOps ReferenceRaster() { return {Line, Ellipse, Flood}; }

glyphora::RasterOps FailingRaster() { return {FailLine, FailEllipse, FailFlood}; }

}  // namespace glyphora_test
