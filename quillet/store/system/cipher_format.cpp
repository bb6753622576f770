#include "quillet/store/system/cipher_format.h"

#include <cstring>

#include "quillet/store/mailbox/detail/byte_order.h"

namespace {

constexpr std::uint8_t k_magic[8] = {'K', 'W', 'B', 'C', 'I', 'P', 'H', 0x1A};
constexpr std::size_t k_versionAt = 8, k_iterationsAt = 12, k_chunkSizeAt = 16, k_plainSizeAt = 20, k_saltAt = 28,
                      k_keyCheckAt = 44, k_crcAt = 60;

void PutUInt64(std::uint8_t* p, std::uint64_t v) {
  store_bytes::PutUInt32(p, static_cast<std::uint32_t>(v));
  store_bytes::PutUInt32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

std::uint64_t GetUInt64(const std::uint8_t* p) {
  return store_bytes::GetUInt32(p) | (std::uint64_t(store_bytes::GetUInt32(p + 4)) << 32);
}

bool InRange(const TCipherHeader& header) {
  return header.Iterations >= k_minCipherIterations && header.Iterations <= k_maxCipherIterations &&
         header.ChunkSize >= k_minCipherChunkSize && header.ChunkSize <= k_maxCipherChunkSize &&
         header.PlainSize <= k_maxCipherPlainSize;
}

}  // namespace

std::uint64_t TCipherHeader::ChunkCount() const {
  std::uint64_t count = (PlainSize + ChunkSize - 1) / ChunkSize;
  return count == 0 ? 1 : count;
}

std::uint32_t TCipherHeader::ChunkPlainSize(std::uint64_t index) const {
  std::uint64_t start = index * ChunkSize;
  if (start >= PlainSize) return 0;
  std::uint64_t rest = PlainSize - start;
  return rest < ChunkSize ? static_cast<std::uint32_t>(rest) : ChunkSize;
}

std::uint64_t TCipherHeader::FileSize() const { return k_cipherHeaderSize + PlainSize + 16 * ChunkCount(); }

TCipherHeaderBytes EncodeCipherHeader(const TCipherHeader& header) {
  TCipherHeaderBytes bytes{};
  std::memcpy(bytes.data(), k_magic, sizeof k_magic);
  store_bytes::PutUInt32(&bytes[k_versionAt], k_cipherVersion);
  store_bytes::PutUInt32(&bytes[k_iterationsAt], header.Iterations);
  store_bytes::PutUInt32(&bytes[k_chunkSizeAt], header.ChunkSize);
  PutUInt64(&bytes[k_plainSizeAt], header.PlainSize);
  std::memcpy(&bytes[k_saltAt], header.Salt.data(), header.Salt.size());
  std::memcpy(&bytes[k_keyCheckAt], header.KeyCheck.data(), header.KeyCheck.size());
  store_bytes::PutUInt32(&bytes[k_crcAt], Crc32(bytes.data(), k_crcAt));
  return bytes;
}

TCipherHeaderState DecodeCipherHeader(const std::uint8_t* bytes, std::size_t size, TCipherHeader& header) {
  if (size >= sizeof k_magic && std::memcmp(bytes, k_magic, sizeof k_magic) != 0)
    return TCipherHeaderState::OtherFormat;
  if (size < k_cipherHeaderSize || store_bytes::GetUInt32(&bytes[k_crcAt]) != Crc32(bytes, k_crcAt))
    return TCipherHeaderState::Damaged;
  if (store_bytes::GetUInt32(&bytes[k_versionAt]) != k_cipherVersion) return TCipherHeaderState::OtherFormat;
  header.Iterations = store_bytes::GetUInt32(&bytes[k_iterationsAt]);
  header.ChunkSize = store_bytes::GetUInt32(&bytes[k_chunkSizeAt]);
  header.PlainSize = GetUInt64(&bytes[k_plainSizeAt]);
  std::memcpy(header.Salt.data(), &bytes[k_saltAt], header.Salt.size());
  std::memcpy(header.KeyCheck.data(), &bytes[k_keyCheckAt], header.KeyCheck.size());
  return InRange(header) ? TCipherHeaderState::Valid : TCipherHeaderState::Damaged;
}

std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}
