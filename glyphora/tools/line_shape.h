// The line tool's shape.
#pragma once

#include "glyphora/document/page/page.h"
#include "glyphora/tools/raster_seam.h"
#include "glyphora/tools/shape_page.h"

namespace glyphora {

// The line's geometry and ink: from the top-left cell to dx columns right and dy rows
// down, or, rising, from the bottom-left cell up to the top-right one.
struct LineExtent {
  int dx;
  int dy;
  bool rising;
  unsigned char character;  // 0: "-", "|", "/" or "\" chosen by the slope
  int thickness;            // columns; the rows follow VerticalThickness
};

// Where the line will be laid, for compound characters: the page and the cell that the
// shape page's top-left cell falls on.
struct LineTarget {
  const Page* page;
  int column;
  int row;
};

// The line character: the given one, else "-" when dx > 2 dy, "|" when dy > 2 dx, else
// "/" rising and "\" falling.
unsigned char LineCharacter(const LineExtent& line);

// A new page of (dx + t) x (dy + tv) cells holding the line: the platform draws it on a
// (dx + 1) x (dy + 1) bitmap with the end point doubled so that the last cell is drawn,
// and every black pixel sets a block of t x tv cells. With a target (compounds on), a
// cell laid over a character of the target page takes the compound of the two. Cells off
// the line stay empty. k_ERROR_INVALID_PARAMETER for a negative extent, a thickness below
// 1 or a page past 32767 cells; on failure *shape is untouched.
int LineMakePage(Page* shape, const LineExtent& line, const CellSize& cell, const LineTarget* target,
                 const RasterOps& raster);

}  // namespace glyphora
