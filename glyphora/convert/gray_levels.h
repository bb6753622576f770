// The contrast stretch of a converted picture: the darkest and lightest thirtieth of its
// pixels are clipped and the greys between are spread over 0 ... 255.
#pragma once

#include <cstdint>

namespace glyphora {

constexpr int k_grayCount = 256;
constexpr int k_clippedShare = 30;  // each tail holds pixels / 30

struct GrayLevels {
  int low = 0;   // darkness indices below it become 0
  int high = 0;  // indices from it up become 255
};

// With n = pixels / 30: low is the first index, counting up from 0, where the running
// count from 0 reaches n (255 if none before it); high the first index, counting down from
// 255 to 1, where the running count from 255 reaches n (0 if none).
GrayLevels FindGrayLevels(const std::uint32_t histogram[k_grayCount], std::int64_t pixels);
// index < low -> 0; low <= index < high -> (index - low) * 255 / (high - low); else 255.
// When high is not above low the picture has no spread to stretch (a blank page, a few
// strokes on white) and every index maps to itself.
void GrayLevelMap(GrayLevels levels, unsigned char map[k_grayCount]);

}  // namespace glyphora
