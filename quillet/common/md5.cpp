#include "quillet/common/md5.h"

#include <cstdint>

namespace md5 {

namespace {

constexpr std::size_t k_blockSize = 64;

// Per-step left rotations, four per round.
constexpr std::uint32_t k_shifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

// The additive constants: floor(2^32 * |sin(i + 1)|).
constexpr std::uint32_t k_sines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

std::uint32_t RotateLeft(std::uint32_t value, std::uint32_t count) { return (value << count) | (value >> (32 - count)); }

void ProcessBlock(std::uint32_t state[4], const unsigned char* block) {
  std::uint32_t words[16];
  for (std::size_t i = 0; i < 16; ++i)
    words[i] = static_cast<std::uint32_t>(block[i * 4]) | static_cast<std::uint32_t>(block[i * 4 + 1]) << 8 |
               static_cast<std::uint32_t>(block[i * 4 + 2]) << 16 | static_cast<std::uint32_t>(block[i * 4 + 3]) << 24;
  std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
  for (std::uint32_t i = 0; i < 64; ++i) {
    std::uint32_t mixed = 0, index = 0;
    switch (i / 16) {
      case 0: mixed = (b & c) | (~b & d); index = i; break;
      case 1: mixed = (d & b) | (~d & c); index = (5 * i + 1) % 16; break;
      case 2: mixed = b ^ c ^ d; index = (3 * i + 5) % 16; break;
      default: mixed = c ^ (b | ~d); index = (7 * i) % 16; break;
    }
    const std::uint32_t next = d;
    d = c;
    c = b;
    b += RotateLeft(a + mixed + k_sines[i] + words[index], k_shifts[i / 16][i % 4]);
    a = next;
  }
  state[0] += a;
  state[1] += b;
  state[2] += c;
  state[3] += d;
}

}  // namespace

std::string Digest(const std::string& bytes) {
  std::uint32_t state[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
  // The message, a 1 bit, zeros up to 56 bytes modulo 64, then its length in bits (64-bit, little-endian).
  std::string padded = bytes;
  padded += static_cast<char>(0x80);
  padded.append((k_blockSize + 56 - padded.size() % k_blockSize) % k_blockSize, '\0');
  const std::uint64_t bits = static_cast<std::uint64_t>(bytes.size()) * 8;
  for (int i = 0; i < 8; ++i) padded += static_cast<char>((bits >> (8 * i)) & 0xff);
  for (std::size_t at = 0; at < padded.size(); at += k_blockSize)
    ProcessBlock(state, reinterpret_cast<const unsigned char*>(padded.data() + at));
  std::string digest;
  for (std::uint32_t word : state)
    for (int i = 0; i < 4; ++i) digest += static_cast<char>((word >> (8 * i)) & 0xff);
  return digest;
}

std::string HexDigest(const std::string& bytes) { return Hex(Digest(bytes)); }

std::string Hex(const std::string& bytes) {
  static const char k_digits[] = "0123456789abcdef";
  std::string hex;
  for (unsigned char byte : bytes) {
    hex += k_digits[byte >> 4];
    hex += k_digits[byte & 15];
  }
  return hex;
}

std::string Hmac(const std::string& key, const std::string& text) {
  std::string block = key.size() > k_blockSize ? Digest(key) : key;
  block.resize(k_blockSize, '\0');
  std::string inner(k_blockSize, '\0'), outer(k_blockSize, '\0');
  for (std::size_t i = 0; i < k_blockSize; ++i) {
    inner[i] = static_cast<char>(block[i] ^ 0x36);
    outer[i] = static_cast<char>(block[i] ^ 0x5c);
  }
  return Digest(outer + Digest(inner + text));
}

}  // namespace md5
