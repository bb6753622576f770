// How dark the characters of the display font are, and which character stands for each
// grey level. Measuring the font needs drawing; what follows from the measure does not.
#pragma once

#include <cstdint>

namespace glyphora {

constexpr int k_charCount = 256;
constexpr char k_defaultRamp[] = " `'~!:;=*&%j3$S84UAR#@HNM";

struct GrayTable {
  std::int16_t charPixels[k_charCount] = {};  // ink pixels of each character's cell
  unsigned char charGrays[k_charCount] = {};  // the ink scaled to 0 ... 255 over the font
  unsigned char grayChars[k_charCount] = {};  // the character for darkness g (0 white paper)
  int fontWidth = 0;
  int fontHeight = 0;
};

// charGrays from charPixels: (pixels - least) * 255 / (most - least). k_ERROR_INVALID_DATA
// (and nothing changed) when all 256 characters have the same ink.
int CalculateCharGrays(GrayTable* table);
// grayChars from charPixels and the ramp (zero-terminated, lightest first): for each
// level the ramp character whose ink, scaled over the ramp, is nearest; on a tie the
// earlier one. k_ERROR_INVALID_DATA (and nothing changed) when the ramp has no two
// characters of different ink.
int CalculateGrayChars(GrayTable* table, const char* ramp);

}  // namespace glyphora
