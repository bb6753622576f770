#include "glyphora/convert/page_to_clip.h"

#include <cstring>

#include "platform/system_error.h"

namespace glyphora {

namespace {

constexpr int k_clipHeaderSize = 4;

std::int16_t ReadInt16(const unsigned char* p) {
  return static_cast<std::int16_t>(p[0] | (p[1] << 8));
}

void WriteInt16(unsigned char* p, std::int16_t value) {
  p[0] = static_cast<unsigned char>(value & 0xFF);
  p[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

std::size_t CellCount(const Page& page) {
  return static_cast<std::size_t>(page.width) * static_cast<std::size_t>(page.height);
}

}  // namespace

int PageToClip(unsigned char** buffer, std::int32_t* length, const Page& page) {
  std::size_t size = k_clipHeaderSize + CellCount(page);
  unsigned char* block = static_cast<unsigned char*>(Allocate(size));
  if (block == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  WriteInt16(block, page.width);
  WriteInt16(block + 2, page.height);
  std::memcpy(block + k_clipHeaderSize, page.cells, CellCount(page));
  *buffer = block;
  *length = static_cast<std::int32_t>(size);
  return 0;
}

int ClipToPage(Page* page, const unsigned char* data, std::int32_t length) {
  if (length < k_clipHeaderSize) return platform::k_ERROR_INVALID_DATA;
  int width = ReadInt16(data);
  int height = ReadInt16(data + 2);
  if (width < 0 || height < 0) return platform::k_ERROR_INVALID_DATA;
  std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (count > static_cast<std::size_t>(length) - k_clipHeaderSize)
    return platform::k_ERROR_INVALID_DATA;
  int error = PageNew(page, width, height);
  if (error == 0) std::memcpy(page->cells, data + k_clipHeaderSize, count);
  return error;
}

}  // namespace glyphora
