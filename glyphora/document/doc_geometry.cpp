#include "glyphora/document/doc_geometry.h"

#include <algorithm>

namespace glyphora {

namespace {

// Clamps value to first ... last; true when it was already inside.
bool Clamp(int* value, int first, int last) {
  int clamped = std::max(first, std::min(*value, last));
  bool inside = clamped == *value;
  *value = clamped;
  return inside;
}

}  // namespace

void DocCellToPos(const Document& document, int column, int row, int* x, int* y) {
  const DocView& v = document.view;
  *x = (column - v.firstColumn) * v.cellWidth + v.left;
  *y = (row - v.firstRow) * v.cellHeight + v.top;
}

int DocPosToCell(const Document& document, int x, int y, int* column, int* row, PinMode mode) {
  const DocView& v = document.view;
  *column = (x - v.left) / std::max(v.cellWidth, 1) + v.firstColumn;
  *row = (y - v.top) / std::max(v.cellHeight, 1) + v.firstRow;
  return mode == PinMode::None ? 1 : DocPinCell(document, column, row, mode);
}

int DocPinCell(const Document& document, int* column, int* row, PinMode mode) {
  const DocState& state = document.current;
  bool inside = Clamp(column, 0, state.mainPage.width - 1);
  int rows = state.mainPage.height;
  if (mode == PinMode::WithFloating && state.floating)
    rows = std::max(rows, state.floatingRow + state.floatingPage.height);
  if (mode == PinMode::Page || mode == PinMode::WithFloating)
    inside = Clamp(row, 0, rows - 1) && inside;
  return inside ? 1 : 0;
}

}  // namespace glyphora
