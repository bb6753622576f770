// Arithmetic guards for values read from disk (store-internal): counters wrap instead of
// overflowing, sizes are clamped, and item locations are checked before they are used.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "quillet/store/mailbox/detail/idx_format.h"

namespace store_limits {

// Data-file offsets and sizes are 32-bit signed in the index.
constexpr std::int64_t k_maxDataPosition = std::numeric_limits<std::int32_t>::max();

inline std::int32_t ClampToInt32(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                            std::numeric_limits<std::int32_t>::max()));
}

// Counters from a damaged header may be anything; adding wraps like the 32-bit field.
inline std::int32_t WrapAdd(std::int32_t value, std::int64_t delta) {
  std::uint32_t sum = static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(value) + delta));
  return static_cast<std::int32_t>(sum);
}

// Whether the record's whole text lies within a data file of the given size.
inline bool TextWithin(const TIdxRecord& record, std::int64_t dataSize) {
  return record.DataOffset >= 0 && record.DataSize >= 0 &&
         static_cast<std::int64_t>(record.DataOffset) + record.DataSize <= dataSize;
}

// The part of the record's text that the data file holds.
inline std::int64_t ReadableSize(const TIdxRecord& record, std::int64_t dataSize) {
  if (record.DataOffset < 0 || record.DataSize <= 0 || record.DataOffset >= dataSize) return 0;
  return std::min<std::int64_t>(record.DataSize, dataSize - record.DataOffset);
}

}  // namespace store_limits
