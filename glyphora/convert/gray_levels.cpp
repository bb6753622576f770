#include "glyphora/convert/gray_levels.h"

namespace glyphora {

GrayLevels FindGrayLevels(const std::uint32_t histogram[k_grayCount], std::int64_t pixels) {
  std::int64_t n = pixels / k_clippedShare;
  GrayLevels levels{k_grayCount - 1, 0};
  std::int64_t sum = 0;
  for (int i = 0; i < k_grayCount - 1; ++i) {
    sum += histogram[i];
    if (sum >= n) {
      levels.low = i;
      break;
    }
  }
  sum = 0;
  for (int i = k_grayCount - 1; i > 0; --i) {
    sum += histogram[i];
    if (sum >= n) {
      levels.high = i;
      break;
    }
  }
  return levels;
}

void GrayLevelMap(GrayLevels levels, unsigned char map[k_grayCount]) {
  for (int i = 0; i < k_grayCount; ++i) {
    int value = i;
    if (levels.high > levels.low) {
      if (i < levels.low) value = 0;
      else if (i < levels.high) value = (i - levels.low) * 255 / (levels.high - levels.low);
      else value = 255;
    }
    map[i] = static_cast<unsigned char>(value);
  }
}

}  // namespace glyphora
