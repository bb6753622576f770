// Shrinking a rectangle of a page to the cells that hold characters.
#pragma once

#include "glyphora/document/page/page.h"

namespace glyphora {

// A rectangle of cells; right and bottom are exclusive.
struct CellRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Drops the rows at the bottom and the columns at the right whose cells are all empty or
// space; with alsoTopLeft, the rows at the top and the columns at the left too. A
// rectangle with nothing but blanks is left as it was. The rectangle must lie on the page.
void PageAutoReduce(CellRect* rect, const Page& page, bool alsoTopLeft);

}  // namespace glyphora
