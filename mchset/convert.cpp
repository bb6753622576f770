#include "mchset/convert.h"

#include "mchset/tables.h"

namespace mchset {

namespace {

bool IsLead(unsigned char c) { return c >= k_firstLead && c <= 0xFE; }
bool IsTrail(unsigned char c) { return c >= k_firstTrail && c <= 0xFE && c != 0x7F; }

}  // namespace

std::int32_t ConvertInPlace(char* text, const std::uint16_t* table, std::uint16_t replacement) {
  std::int32_t replaced = 0;
  auto* p = reinterpret_cast<unsigned char*>(text);
  while (*p) {
    // The NUL is never a trail byte, so a lead byte at the end stops here unchanged.
    if (!IsLead(p[0]) || !IsTrail(p[1])) {
      ++p;
      continue;
    }
    std::uint16_t to = table[(p[0] - k_firstLead) * k_trailCount + (p[1] - k_firstTrail)];
    if (to == 0) {
      to = replacement;
      ++replaced;
    }
    p[0] = static_cast<unsigned char>(to >> 8);
    p[1] = static_cast<unsigned char>(to & 0xFF);
    p += 2;
  }
  return replaced;
}

}  // namespace mchset
