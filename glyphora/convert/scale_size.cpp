#include "glyphora/convert/scale_size.h"

#include <cstdint>

namespace glyphora {

void ScaleSize(int* width, int* height, int sourceWidth, int sourceHeight) {
  if (sourceWidth < 0 || sourceHeight < 0) {
    *width = *height = 0;
    return;
  }
  if (sourceWidth <= *width && sourceHeight <= *height) {
    *width = sourceWidth;
    *height = sourceHeight;
    return;
  }
  // The smaller ratio, compared exactly: box w / source w < box h / source h.
  std::int64_t num = *width, den = sourceWidth;
  if (static_cast<std::int64_t>(*width) * sourceHeight >
      static_cast<std::int64_t>(*height) * sourceWidth) {
    num = *height;
    den = sourceHeight;
  }
  *width = static_cast<int>(sourceWidth * num / den);
  *height = static_cast<int>(sourceHeight * num / den);
}

}  // namespace glyphora
