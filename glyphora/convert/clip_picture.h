// A device-independent bitmap as the clipboard holds it (the bitmap file without its
// 14-byte file header) decoded into a picture.
#pragma once

#include <cstddef>

#include "platform/raster.h"

namespace glyphora {

// Decodes the clipboard's bitmap: the file header is put back in front of it (its pixel
// offset counts the info header, the colour table and the three colour masks of a 40-byte
// header with bit-field compression) and the bitmap file is read as a file would be.
// k_ERROR_INVALID_DATA for a block too short for its header or damaged.
int ClipBitmapToPicture(const unsigned char* dib, std::size_t size, platform::RgbPicture* picture);

}  // namespace glyphora
