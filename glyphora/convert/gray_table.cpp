#include "glyphora/convert/gray_table.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/system_error.h"

namespace glyphora {

namespace {

struct InkRange {
  int least = INT16_MAX;
  int most = INT16_MIN;

  void Add(int ink) {
    least = std::min(least, ink);
    most = std::max(most, ink);
  }
  bool Spread() const { return most > least; }
  int Scale(int ink) const { return (ink - least) * 255 / (most - least); }
};

}  // namespace

int CalculateCharGrays(GrayTable* table) {
  InkRange range;
  for (int c = 0; c < k_charCount; ++c) range.Add(table->charPixels[c]);
  if (!range.Spread()) return platform::k_ERROR_INVALID_DATA;
  for (int c = 0; c < k_charCount; ++c)
    table->charGrays[c] = static_cast<unsigned char>(range.Scale(table->charPixels[c]));
  return 0;
}

int CalculateGrayChars(GrayTable* table, const char* ramp) {
  const unsigned char* chars = reinterpret_cast<const unsigned char*>(ramp);
  std::size_t n = std::strlen(ramp);
  InkRange range;
  for (std::size_t i = 0; i < n; ++i) range.Add(table->charPixels[chars[i]]);
  if (!range.Spread()) return platform::k_ERROR_INVALID_DATA;
  for (int g = 0; g < k_charCount; ++g) {
    int best = INT32_MAX;
    for (std::size_t i = 0; i < n; ++i) {
      int d = std::abs(range.Scale(table->charPixels[chars[i]]) - g);
      if (d < best) {
        best = d;
        table->grayChars[g] = chars[i];
      }
    }
  }
  return 0;
}

}  // namespace glyphora
