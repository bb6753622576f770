// The layout of an encrypted mailbox's data file (base path + ".BO~"), little-endian:
//
//   header, 64 bytes:
//     0   8  magic "KWBCIPH" and 0x1A
//     8   4  format version, 1
//     12  4  PBKDF2-HMAC-SHA256 iterations that made the key from the password and salt
//     16  4  chunk size: plain bytes per chunk (every chunk but the last is full)
//     20  8  plain size: bytes of the ".BOX" file that was encrypted
//     28  16 salt, random for every encryption (so every file has a key of its own)
//     44  16 key check: the AES-256-GCM tag of an empty text sealed with the check nonce
//            and header bytes 0..43 as additional data; it tells a wrong password apart
//            from a damaged file before anything is deciphered
//     60  4  CRC-32 of bytes 0..59: a damaged header is told apart from a wrong password
//   then ceil(plain size / chunk size) chunks (one empty chunk for an empty file), each
//   its cipher text followed by its 16-byte tag. A chunk is sealed with the nonce
//   (chunk index as 8 bytes, then 4 zero bytes) and the additional data (the 64 header
//   bytes, the chunk index as 8 bytes, 1 for the last chunk else 0), so a changed,
//   reordered, dropped or added chunk, a cut or lengthened file and a changed header all
//   fail a tag or the size check. The check nonce is index 0 with the 4 bytes 0xFF:
//   no nonce repeats under one key.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

constexpr std::size_t k_cipherHeaderSize = 64;
constexpr std::size_t k_cipherSaltSize = 16;
constexpr std::uint32_t k_cipherVersion = 1;
// Readers accept these ranges; anything outside them is a damaged (or hostile) file.
constexpr std::uint32_t k_minCipherIterations = 1000;
constexpr std::uint32_t k_maxCipherIterations = 20000000;
constexpr std::uint32_t k_minCipherChunkSize = 16;
constexpr std::uint32_t k_maxCipherChunkSize = 4u << 20;
constexpr std::uint64_t k_maxCipherPlainSize = std::uint64_t(1) << 48;

using TCipherHeaderBytes = std::array<std::uint8_t, k_cipherHeaderSize>;
// Bytes 0..43: what the key check covers.
constexpr std::size_t k_cipherCheckedPrefix = 44;

struct TCipherHeader {
  std::uint32_t Iterations = 0;
  std::uint32_t ChunkSize = 0;
  std::uint64_t PlainSize = 0;
  std::array<std::uint8_t, k_cipherSaltSize> Salt{};
  std::array<std::uint8_t, 16> KeyCheck{};

  // At least one: an empty file has one empty chunk.
  std::uint64_t ChunkCount() const;
  // Plain bytes of the chunk at that index.
  std::uint32_t ChunkPlainSize(std::uint64_t index) const;
  // What the whole ".BO~" file measures.
  std::uint64_t FileSize() const;
};

// The 64 header bytes, CRC included.
TCipherHeaderBytes EncodeCipherHeader(const TCipherHeader& header);

enum class TCipherHeaderState { Valid, OtherFormat, Damaged };
// Reads a header from the first size bytes of a file: OtherFormat when the magic is not
// there or the version is not this one, Damaged when the bytes are short, the CRC is
// wrong or a field lies outside the accepted ranges.
TCipherHeaderState DecodeCipherHeader(const std::uint8_t* bytes, std::size_t size, TCipherHeader& header);

// The CRC-32 (the common reflected 0xEDB88320 one) of the bytes.
std::uint32_t Crc32(const std::uint8_t* bytes, std::size_t size);
