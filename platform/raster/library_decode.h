// The PNG and JPEG decoders behind PictureDecode: on posix Debian's libpng and libjpeg,
// reading row by row and keeping only the rows and columns a small box needs; on win32
// the single-header decoder, whole pictures. Both give 0, k_ERROR_INVALID_DATA or
// k_ERROR_NOT_ENOUGH_MEMORY.
#pragma once

#include <cstddef>

#include "platform/file.h"
#include "platform/raster.h"

namespace platform {

int PngDecode(const unsigned char* bytes, std::size_t size, int boxWidth, int boxHeight, RgbPicture* picture);
// The same for a PNG file whose first k_pngSignatureSize bytes (the whole signature,
// checked) were read already: the rest is read from the file as decoding goes on posix,
// read whole on win32.
constexpr std::size_t k_pngSignatureSize = 8;
int PngDecodeFile(FileHandle file, int boxWidth, int boxHeight, RgbPicture* picture);
int JpegDecode(const unsigned char* bytes, std::size_t size, int boxWidth, int boxHeight, RgbPicture* picture);

// The largest whole factor that keeps a width x height picture at least boxWidth x
// boxHeight when every factor-th row and column is kept (1 without a box).
inline int ReductionFactor(int width, int height, int boxWidth, int boxHeight) {
  if (boxWidth <= 0 || boxHeight <= 0) return 1;
  int factor = 1;
  while ((width + factor) / (factor + 1) >= boxWidth && (height + factor) / (factor + 1) >= boxHeight) ++factor;
  return factor;
}

}  // namespace platform
