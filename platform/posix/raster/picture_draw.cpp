// Pictures drawn into grey bitmaps: nearest-neighbour sampling and the luminance grey.
#include <cstdint>
#include <new>

#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

namespace {

// Darkness index of a colour: 255 minus its luminance (ITU-R 601 weights).
unsigned char GrayIndex(std::uint32_t rgb) {
  std::uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
  std::uint32_t luminance = (299 * r + 587 * g + 114 * b + 500) / 1000;
  return static_cast<unsigned char>(255 - luminance);
}

}  // namespace

int PictureDrawGray(const RgbPicture& picture, int width, int height, GrayBitmap* bitmap) {
  if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0) return k_ERROR_INVALID_PARAMETER;
  try {
    bitmap->indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
  bitmap->width = width;
  bitmap->height = height;
  for (int y = 0; y < height; ++y) {
    std::int64_t sourceY = static_cast<std::int64_t>(y) * picture.height / height;
    const std::uint32_t* sourceRow = picture.pixels.data() + sourceY * picture.width;
    unsigned char* row = bitmap->indices.data() + static_cast<std::size_t>(height - 1 - y) * width;
    for (int x = 0; x < width; ++x)
      row[x] = GrayIndex(sourceRow[static_cast<std::int64_t>(x) * picture.width / width]);
  }
  return 0;
}

}  // namespace platform
