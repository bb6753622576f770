// The circle tool's shape.
#pragma once

#include "glyphora/document/page/page.h"
#include "glyphora/tools/raster_seam.h"
#include "glyphora/tools/shape_page.h"

namespace glyphora {

// The automatic character of outline cell (x, y) of a width x height ellipse: from
// dx = 2x - width and dy = 2y - height, "|" when height |dx| >= 2 width |dy|, else "-"
// when width |dy| >= 2 height |dx|, else "/" when dx dy > 0 and "\" otherwise.
unsigned char CircleCharacter(int x, int y, int width, int height);

// A new page of width x height cells holding the outline of the ellipse that fills it,
// thickness cells wide at the sides and VerticalThickness rows high at the top and
// bottom; the platform draws it on a width x height bitmap in a mapping scaled so that
// its pen has those two sizes. Outline cells get character, or with 0 the character of
// their direction. Cells inside and outside stay empty. k_ERROR_INVALID_PARAMETER for a
// size below 1, a thickness below 1 or a size past 32767; on failure *shape is untouched.
int CircleMakePage(Page* shape, int width, int height, unsigned char character, int thickness,
                   const CellSize& cell, const RasterOps& raster);

}  // namespace glyphora
