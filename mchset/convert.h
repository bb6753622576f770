// The in-place double-byte conversion behind both exports.
#pragma once

#include <cstdint>

namespace mchset {

// Rewrites each double-byte character of the NUL-terminated text through table (see
// tables.h); one without a counterpart becomes replacement (lead << 8 | trail). Returns
// the number of replaced characters.
std::int32_t ConvertInPlace(char* text, const std::uint16_t* table, std::uint16_t replacement);

}  // namespace mchset
