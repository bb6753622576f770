// Measuring the display font: the first half of the grey table, drawn by the platform.
#pragma once

#include <string>

#include "glyphora/convert/gray_table.h"

namespace glyphora {

constexpr char k_defaultFontFace[] = "Courier New";
constexpr int k_defaultFontSize = 9;
constexpr int k_minFontSize = 6;
constexpr int k_maxFontSize = 14;

// Fills charPixels, charGrays, fontWidth and fontHeight from the font FACE at SIZE points
// (held to 6 ... 14). The platform's error when the font cannot be made or drawn;
// k_ERROR_INVALID_DATA when all 256 characters have the same ink. On failure the table
// is unchanged.
int CalculateFontGrays(GrayTable* table, const std::string& face, int size);

}  // namespace glyphora
