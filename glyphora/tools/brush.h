// The brush of the pencil and the rubber: its preference word and the cells one stamp
// covers.
#pragma once

#include <cstdint>

#include "glyphora/document/page/page.h"
#include "glyphora/document/page/page_reduce.h"

namespace glyphora {

// A brush word keeps the size in its low 12 bits, the round flag in bit 14, and bit 15 is
// always set.
constexpr std::uint16_t k_brushSizeMask = 0x0FFF;
constexpr std::uint16_t k_brushRoundFlag = 0x4000;
constexpr std::uint16_t k_brushMarker = 0x8000;
constexpr int k_maxBrushSize = 15;
// A brush smaller than this is always square.
constexpr int k_roundBrushMinSize = 3;
// The defaults: the pencil is round, the rubber square, both one cell.
constexpr std::uint16_t k_defaultPencilBrush = k_brushMarker | k_brushRoundFlag | 1;
constexpr std::uint16_t k_defaultRubberBrush = k_brushMarker | 1;

inline int BrushSize(std::uint16_t word) { return word & k_brushSizeMask; }
inline bool BrushRound(std::uint16_t word) { return (word & k_brushRoundFlag) != 0; }
// The word for a size (taken into 0 ... k_maxBrushSize) and round flag.
std::uint16_t BrushWord(int size, bool round);
// A word read from the preferences: the size taken into 0 ... k_maxBrushSize, bit 15 set,
// bits other than the size and the round flag cleared.
std::uint16_t BrushLoad(std::uint16_t stored);

// The size x size rectangle centred on (column, row), clipped to the page. For an even
// size the point is the upper-left of the four centre cells. A size below 1 counts as 1.
CellRect GetSizedRect(const Page& page, int column, int row, int size);
// Stamps the brush at (column, row) with character: a brush below k_roundBrushMinSize, or
// one without the round flag, fills its whole rectangle; a round one fills the cells whose
// centres lie inside the circle inscribed in its (unclipped) rectangle, just shrunk so that
// a 3-cell brush is a plus and not a square. Cells off the page are left out.
void SetCharsPage(Page* page, int column, int row, unsigned char character, int size, bool round);
// The byte of one cell, or k_emptyCell off the page.
unsigned char GetCharPage(const Page& page, int column, int row);

}  // namespace glyphora
