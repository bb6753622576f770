// Cells and pixels of the document window: a cell is view.cellWidth x view.cellHeight
// pixels, the view's first visible column and row sit at its top-left corner.
#pragma once

#include "glyphora/document/document.h"

namespace glyphora {

// How DocPinCell clamps the row (the column is always clamped to the page width).
enum class PinMode : int {
  Page = 0,          // to the page's rows
  ColumnOnly = 1,    // the row is left alone
  WithFloating = 2,  // to the page's rows or, while floating, down to the floating page's end
  None = 3,          // DocPosToCell does not pin at all
};

void DocCellToPos(const Document& document, int column, int row, int* x, int* y);
// The cell under a pixel, pinned by mode; returns DocPinCell's answer (1 for mode None).
int DocPosToCell(const Document& document, int x, int y, int* column, int* row, PinMode mode);
// Clamps a cell to the page; 1 when nothing had to be clamped, else 0.
int DocPinCell(const Document& document, int* column, int* row, PinMode mode);

}  // namespace glyphora
