// The surface flood fill: four-neighbour, with an explicit stack so a large surface
// cannot exhaust the call stack.
#include <new>
#include <utility>
#include <vector>

#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

int FloodFillSurface(MonoBitmap* bitmap, int x, int y) {
  int w = bitmap->width, h = bitmap->height;
  auto white = [&](int px, int py) {
    return px >= 0 && py >= 0 && px < w && py < h && bitmap->pixels[static_cast<std::size_t>(py) * w + px] == 0;
  };
  if (!white(x, y)) return 0;
  try {
    std::vector<std::pair<int, int>> pending{{x, y}};
    while (!pending.empty()) {
      auto [px, py] = pending.back();
      pending.pop_back();
      if (!white(px, py)) continue;
      bitmap->pixels[static_cast<std::size_t>(py) * w + px] = 1;
      pending.insert(pending.end(), {{px + 1, py}, {px - 1, py}, {px, py + 1}, {px, py - 1}});
    }
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
  return 0;
}

}  // namespace platform
