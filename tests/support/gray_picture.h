// Pictures made of greys for the raster and conversion tests: greys match exactly on
// every platform, where colours are matched to greys by each platform's own rule.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/raster.h"

namespace test_support {

// A width x height picture from its greys (0 black ... 255 white), top row first.
inline platform::RgbPicture GrayPicture(int width, int height, const std::vector<int>& grays) {
  platform::RgbPicture p;
  p.width = width;
  p.height = height;
  for (int g : grays) p.pixels.push_back(static_cast<std::uint32_t>(g) * 0x010101u);
  return p;
}

}  // namespace test_support
