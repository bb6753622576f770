// Copies of cells between pages. Every copy of cells goes through PageDataBlit.
#pragma once

#include "glyphora/document/page/page.h"

namespace glyphora {

// How source cells are laid on the destination. The numbers are the state's merge mode.
enum class BlitMode : int {
  EmptyAsBlank = 0,  // every cell copied, an empty source cell written as a space
  SkipEmpty = 1,     // empty source cells are transparent
  SkipBlank = 2,     // empty and space source cells are transparent
  Copy = 3,          // every cell copied unchanged
};

// Copies the rectangle that starts at (sourceColumn, sourceRow) of the source onto
// (destColumn, destRow) of the destination, clipped to both: a negative destination
// position moves the source position on by as much, and the other way round.
void PageDataBlit(unsigned char* dest, int destWidth, int destHeight, int destColumn,
                  int destRow, const unsigned char* source, int sourceWidth, int sourceHeight,
                  int sourceColumn, int sourceRow, BlitMode mode);
// Lays the whole source page at (column, row) of the destination.
void PageMerge(Page* dest, const Page& source, int column, int row, BlitMode mode);
// Fills the whole destination page from the source, starting at (column, row) of the
// source, with BlitMode::EmptyAsBlank.
void PageLift(Page* dest, const Page& source, int column, int row);

}  // namespace glyphora
