#include "glyphora/convert/clip_picture.h"

#include <cstdint>
#include <vector>

#include "platform/picture_file.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

constexpr std::size_t k_fileHeaderSize = 14;
constexpr std::uint32_t k_infoHeaderSize = 40;
constexpr std::uint32_t k_bitFields = 3;
constexpr std::uint32_t k_maskBytes = 12;

std::uint32_t Little(const unsigned char* p, int width) {
  std::uint32_t value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | p[i];
  return value;
}

void PutLittle(unsigned char* p, int width, std::uint32_t value) {
  for (int i = 0; i < width; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

}  // namespace

int ClipBitmapToPicture(const unsigned char* dib, std::size_t size, platform::RgbPicture* picture) {
  if (size < k_infoHeaderSize) return platform::k_ERROR_INVALID_DATA;
  std::uint32_t headerSize = Little(dib, 4);
  std::uint32_t bitCount = Little(dib + 14, 2);
  std::uint32_t compression = Little(dib + 16, 4);
  std::uint32_t colours = Little(dib + 32, 4);
  if (headerSize < k_infoHeaderSize || headerSize > size) return platform::k_ERROR_INVALID_DATA;
  if (colours == 0 && bitCount <= 8) colours = 1u << bitCount;
  if (colours > 256) return platform::k_ERROR_INVALID_DATA;
  std::uint32_t offset = static_cast<std::uint32_t>(k_fileHeaderSize) + headerSize + colours * 4 +
                         (headerSize == k_infoHeaderSize && compression == k_bitFields ? k_maskBytes : 0);
  std::vector<unsigned char> file(k_fileHeaderSize + size);
  file[0] = 'B';
  file[1] = 'M';
  PutLittle(&file[2], 4, static_cast<std::uint32_t>(file.size()));
  PutLittle(&file[10], 4, offset);
  std::copy(dib, dib + size, file.begin() + k_fileHeaderSize);
  return platform::PictureDecode(file.data(), file.size(), picture);
}

}  // namespace glyphora
