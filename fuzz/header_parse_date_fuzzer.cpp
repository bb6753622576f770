// ParseDate on arbitrary date text and FormatDate on what it gives, with a fuzzed zone.
// A date that went through FormatDate and ParseDate once must stay the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "quillet/message/header/header_utils.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  int bias = 0;
  if (size >= sizeof bias) {
    std::memcpy(&bias, data, sizeof bias);
    data += sizeof bias;
    size -= sizeof bias;
  }
  const std::string text(reinterpret_cast<const char*>(data), size);
  FormatZone(bias);
  const TDateTime once = ParseDate(FormatDate(ParseDate(text), bias));
  const TDateTime twice = ParseDate(FormatDate(once, bias));
  if (once != twice) std::abort();
  return 0;
}
