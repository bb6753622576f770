// The header record of an enhanced metafile: type 1, its size, the bounds rectangle in
// device units, the frame, the " EMF" signature at 40 and the file's size in bytes at 48.
#include <algorithm>
#include <cstdint>
#include <new>

#include "platform/picture_file.h"
#include "platform/system_error.h"

namespace platform {

namespace {

constexpr std::size_t k_headerSize = 88;  // the header record's fields up to its pixel format
constexpr std::uint32_t k_headerType = 1;
constexpr std::uint32_t k_signature = 0x464D4520;  // " EMF"
constexpr std::size_t k_boundsOffset = 8;
constexpr std::size_t k_signatureOffset = 40;
constexpr std::size_t k_fileSizeOffset = 48;

std::uint32_t Word32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

std::int64_t Signed32(const unsigned char* p) { return static_cast<std::int32_t>(Word32(p)); }

int Side(std::int64_t from, std::int64_t to) { return static_cast<int>(std::clamp<std::int64_t>(to - from, 0, INT32_MAX)); }

}  // namespace

bool IsMetafile(const unsigned char* bytes, std::size_t size) {
  return size >= k_signatureOffset + 4 && Word32(bytes) == k_headerType &&
         Word32(bytes + k_signatureOffset) == k_signature;
}

int MetafileDecode(const unsigned char* bytes, std::size_t size, Metafile* metafile) {
  if (size < k_headerSize || !IsMetafile(bytes, size)) return k_ERROR_INVALID_DATA;
  std::uint32_t recordSize = Word32(bytes + 4), fileSize = Word32(bytes + k_fileSizeOffset);
  if (recordSize < k_headerSize || recordSize > fileSize || fileSize > size) return k_ERROR_INVALID_DATA;
  const unsigned char* bounds = bytes + k_boundsOffset;
  try {
    metafile->bytes.assign(bytes, bytes + fileSize);
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
  metafile->width = Side(Signed32(bounds), Signed32(bounds + 8));
  metafile->height = Side(Signed32(bounds + 4), Signed32(bounds + 12));
  return 0;
}

}  // namespace platform
