// Reading a picture file: BMP (our own reader), PNG and JPEG.
#pragma once

#include <cstddef>
#include <string>

#include "platform/raster.h"

namespace platform {

// Decodes the bytes of a BMP, PNG or JPEG file (recognised by their signature).
// k_ERROR_INVALID_DATA for anything else, or a damaged or empty picture;
// k_ERROR_NOT_ENOUGH_MEMORY for one too large to hold.
int PictureDecode(const unsigned char* bytes, std::size_t size, RgbPicture* picture);
// Reads and decodes a file: the file's own error (k_ERROR_FILE_NOT_FOUND ...) when it
// cannot be read, else as PictureDecode.
int PictureFileRead(const std::string& path, RgbPicture* picture);

}  // namespace platform
