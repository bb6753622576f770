// The rectangle tool's shape.
#pragma once

#include "glyphora/document/page/page.h"

namespace glyphora {

// A new page of width x height cells holding the rectangle's outline, thickness cells
// thick on every side (a rectangle thicker than half its size is solid). With character
// 0 the sides are "|", the top and bottom rows "-" and each of those rows ends in "+"; the
// k-th row inwards spans columns k ... width - 1 - k. Cells inside stay empty.
// k_ERROR_INVALID_PARAMETER for a size below 1, a thickness below 1 or a size past 32767;
// on failure *shape is untouched.
int RectangleMakePage(Page* shape, int width, int height, unsigned char character, int thickness);

}  // namespace glyphora
