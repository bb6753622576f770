// Our own reader of device-independent bitmap files (".BMP").
#pragma once

#include <cstddef>

#include "platform/raster.h"

namespace platform {

// Largest picture held in memory, in pixels (8192 x 8192, 256 MiB of colour).
constexpr std::size_t k_maxPicturePixels = std::size_t{1} << 26;

// Decodes an uncompressed BMP: 1, 4 and 8 bits with a palette, 16 (5-5-5) and 24 bits,
// 32 bits, and 16 or 32 bits with colour masks; rows bottom-up or top-down. 0, or
// k_ERROR_INVALID_DATA (other kinds, a damaged file), k_ERROR_NOT_ENOUGH_MEMORY.
int BmpDecode(const unsigned char* bytes, std::size_t size, RgbPicture* picture);

}  // namespace platform
