#include "glyphora/document/page/page_reduce.h"

namespace glyphora {

namespace {

bool IsInk(unsigned char cell) { return cell != k_emptyCell && cell != k_blankCell; }

bool RowIsBlank(const Page& page, int row, int left, int right) {
  for (int x = left; x < right; ++x)
    if (IsInk(page.cells[static_cast<long>(row) * page.width + x])) return false;
  return true;
}

bool ColumnIsBlank(const Page& page, int column, int top, int bottom) {
  for (int y = top; y < bottom; ++y)
    if (IsInk(page.cells[static_cast<long>(y) * page.width + column])) return false;
  return true;
}

}  // namespace

void PageAutoReduce(CellRect* rect, const Page& page, bool alsoTopLeft) {
  CellRect r = *rect;
  while (r.bottom > r.top && RowIsBlank(page, r.bottom - 1, r.left, r.right)) --r.bottom;
  if (alsoTopLeft)
    while (r.top < r.bottom && RowIsBlank(page, r.top, r.left, r.right)) ++r.top;
  while (r.right > r.left && ColumnIsBlank(page, r.right - 1, r.top, r.bottom)) --r.right;
  if (alsoTopLeft)
    while (r.left < r.right && ColumnIsBlank(page, r.left, r.top, r.bottom)) ++r.left;
  if (r.right > r.left && r.bottom > r.top) *rect = r;
}

}  // namespace glyphora
