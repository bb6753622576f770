// PNG and JPEG through the single-header decoder, as 8-bit RGB, whole.
#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include <stb_image.h>

#include "platform/raster/bmp_reader.h"
#include "platform/raster/library_decode.h"
#include "platform/file.h"
#include "platform/system_error.h"

namespace platform {

namespace {

int StbDecode(const unsigned char* bytes, std::size_t size, RgbPicture* picture) {
  if (size > INT32_MAX) return k_ERROR_NOT_ENOUGH_MEMORY;
  int width = 0, height = 0, channels = 0;
  int length = static_cast<int>(size);
  if (!stbi_info_from_memory(bytes, length, &width, &height, &channels)) return k_ERROR_INVALID_DATA;
  if (width <= 0 || height <= 0) return k_ERROR_INVALID_DATA;
  if (static_cast<std::size_t>(width) > k_maxPicturePixels / static_cast<std::size_t>(height))
    return k_ERROR_NOT_ENOUGH_MEMORY;
  unsigned char* rgb = stbi_load_from_memory(bytes, length, &width, &height, &channels, 3);
  if (rgb == nullptr) return k_ERROR_INVALID_DATA;
  std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  picture->width = width;
  picture->height = height;
  picture->pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i)
    picture->pixels[i] = (std::uint32_t{rgb[3 * i]} << 16) | (std::uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
  stbi_image_free(rgb);
  return 0;
}

}  // namespace

int PngDecode(const unsigned char* bytes, std::size_t size, int, int, RgbPicture* picture) {
  return StbDecode(bytes, size, picture);
}

int PngDecodeFile(FileHandle file, int, int, RgbPicture* picture) {
  static const unsigned char k_signature[k_pngSignatureSize] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::int64_t size = FileSizeOf(file);
  if (size < 0) return LastSystemError();
  if (size > INT32_MAX) return k_ERROR_NOT_ENOUGH_MEMORY;
  try {
    std::vector<unsigned char> bytes(k_signature, k_signature + k_pngSignatureSize);
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(size, k_pngSignatureSize)));
    std::int32_t rest = static_cast<std::int32_t>(bytes.size() - k_pngSignatureSize);
    if (FileRead(file, bytes.data() + k_pngSignatureSize, rest) != rest) return k_ERROR_READ_FAULT;
    return StbDecode(bytes.data(), bytes.size(), picture);
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
}

int JpegDecode(const unsigned char* bytes, std::size_t size, int, int, RgbPicture* picture) {
  return StbDecode(bytes, size, picture);
}

}  // namespace platform
