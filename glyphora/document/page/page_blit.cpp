#include "glyphora/document/page/page_blit.h"

#include <algorithm>

namespace glyphora {

namespace {

// Moves a negative position of one side onto the other, so both are then >= 0.
void ClipOrigin(int& dest, int& source) {
  if (dest < 0) {
    source -= dest;
    dest = 0;
  }
  if (source < 0) {
    dest -= source;
    source = 0;
  }
}

void BlitRow(unsigned char* dest, const unsigned char* source, int count, BlitMode mode) {
  for (int i = 0; i < count; ++i) {
    unsigned char b = source[i];
    switch (mode) {
      case BlitMode::EmptyAsBlank: dest[i] = b == k_emptyCell ? k_blankCell : b; break;
      case BlitMode::SkipEmpty: if (b != k_emptyCell) dest[i] = b; break;
      case BlitMode::SkipBlank:
        if (b != k_emptyCell && b != k_blankCell) dest[i] = b;
        break;
      case BlitMode::Copy: dest[i] = b; break;
    }
  }
}

}  // namespace

void PageDataBlit(unsigned char* dest, int destWidth, int destHeight, int destColumn,
                  int destRow, const unsigned char* source, int sourceWidth, int sourceHeight,
                  int sourceColumn, int sourceRow, BlitMode mode) {
  ClipOrigin(destColumn, sourceColumn);
  ClipOrigin(destRow, sourceRow);
  int width = std::min(destWidth - destColumn, sourceWidth - sourceColumn);
  int height = std::min(destHeight - destRow, sourceHeight - sourceRow);
  if (width <= 0 || height <= 0) return;
  for (int y = 0; y < height; ++y) {
    BlitRow(dest + static_cast<long>(destRow + y) * destWidth + destColumn,
            source + static_cast<long>(sourceRow + y) * sourceWidth + sourceColumn, width,
            mode);
  }
}

void PageMerge(Page* dest, const Page& source, int column, int row, BlitMode mode) {
  PageDataBlit(dest->cells, dest->width, dest->height, column, row, source.cells,
               source.width, source.height, 0, 0, mode);
}

void PageLift(Page* dest, const Page& source, int column, int row) {
  PageDataBlit(dest->cells, dest->width, dest->height, 0, 0, source.cells, source.width,
               source.height, column, row, BlitMode::EmptyAsBlank);
}

}  // namespace glyphora
