// Picture files decoded (BMP by our reader, PNG and JPEG by the library) and drawn into a
// small grey bitmap: a decoded picture must hold exactly width x height pixels, and any
// failure must be one of the reader's own error numbers; decoded again for a small box it
// must succeed the same and keep the file's size.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/picture_file.h"
#include "platform/system_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  platform::RgbPicture picture;
  int error = platform::PictureDecode(data, size, &picture);
  if (error == platform::k_ERROR_INVALID_DATA || error == platform::k_ERROR_NOT_ENOUGH_MEMORY) return 0;
  if (error != 0) std::abort();
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.pixels.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    std::abort();
  platform::GrayBitmap bitmap;
  if (platform::PictureDrawGray(picture, 7, 5, &bitmap) != 0 || bitmap.indices.size() != 35) std::abort();
  // Decoded for a small box: never below the box (or the file), the file's size kept.
  platform::RgbPicture reduced;
  if (platform::PictureDecodeForBox(data, size, 3, 2, &reduced) != 0 ||
      platform::PictureFileWidth(reduced) != picture.width || platform::PictureFileHeight(reduced) != picture.height ||
      reduced.width < std::min(3, picture.width) || reduced.height < std::min(2, picture.height) ||
      reduced.pixels.size() != static_cast<std::size_t>(reduced.width) * static_cast<std::size_t>(reduced.height))
    std::abort();
  return 0;
}
