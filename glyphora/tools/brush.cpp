#include "glyphora/tools/brush.h"

#include <algorithm>

namespace glyphora {

namespace {

int EffectiveSize(int size) { return std::max(size, 1); }

// The brush rectangle before clipping: the point sits at index (size - 1) / 2 of it.
CellRect UnclippedRect(int column, int row, int size) {
  int left = column - (size - 1) / 2;
  int top = row - (size - 1) / 2;
  return CellRect{left, top, left + size, top + size};
}

// Offsets from the centre are counted in half cells, so a cell's centre is an integer.
bool InsideRound(int i, int j, int size) {
  int dx = 2 * i + 1 - size;
  int dy = 2 * j + 1 - size;
  return dx * dx + dy * dy < size * size - 1;
}

}  // namespace

std::uint16_t BrushWord(int size, bool round) {
  int clamped = std::clamp(size, 0, k_maxBrushSize);
  return static_cast<std::uint16_t>(k_brushMarker | (round ? k_brushRoundFlag : 0) | clamped);
}

std::uint16_t BrushLoad(std::uint16_t stored) {
  return BrushWord(BrushSize(stored), BrushRound(stored));
}

CellRect GetSizedRect(const Page& page, int column, int row, int size) {
  CellRect r = UnclippedRect(column, row, EffectiveSize(size));
  r.left = std::clamp(r.left, 0, static_cast<int>(page.width));
  r.right = std::clamp(r.right, r.left, static_cast<int>(page.width));
  r.top = std::clamp(r.top, 0, static_cast<int>(page.height));
  r.bottom = std::clamp(r.bottom, r.top, static_cast<int>(page.height));
  return r;
}

void SetCharsPage(Page* page, int column, int row, unsigned char character, int size, bool round) {
  size = EffectiveSize(size);
  CellRect whole = UnclippedRect(column, row, size);
  CellRect clipped = GetSizedRect(*page, column, row, size);
  bool shaped = round && size >= k_roundBrushMinSize;
  for (int y = clipped.top; y < clipped.bottom; ++y)
    for (int x = clipped.left; x < clipped.right; ++x)
      if (!shaped || InsideRound(x - whole.left, y - whole.top, size))
        page->cells[y * page->width + x] = character;
}

unsigned char GetCharPage(const Page& page, int column, int row) {
  if (column < 0 || row < 0 || column >= page.width || row >= page.height) return k_emptyCell;
  return page.cells[row * page.width + column];
}

}  // namespace glyphora
