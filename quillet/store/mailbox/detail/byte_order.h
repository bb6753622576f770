// Little-endian field access on raw file bytes (store-internal).
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

static_assert(std::numeric_limits<double>::is_iec559, "the file formats store IEEE 754 doubles");

namespace store_bytes {

inline void PutUInt16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline std::uint16_t GetUInt16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline void PutUInt32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::uint32_t GetUInt32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void PutInt32(std::uint8_t* p, std::int32_t v) { PutUInt32(p, static_cast<std::uint32_t>(v)); }

inline std::int32_t GetInt32(const std::uint8_t* p) {
  std::uint32_t u = GetUInt32(p);
  std::int32_t v;
  std::memcpy(&v, &u, sizeof v);  // two's complement on every target
  return v;
}

inline void PutDouble(std::uint8_t* p, double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

inline double GetDouble(const std::uint8_t* p) {
  std::uint64_t bits = 0;
  for (int i = 0; i < 8; ++i) bits |= static_cast<std::uint64_t>(p[i]) << (8 * i);
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace store_bytes
