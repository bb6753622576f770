// Plain text laid out in a column of characters.
#pragma once

#include <cstdint>

#include "glyphora/document/page/page.h"

namespace glyphora {

// How the lines of a text are placed in their column. The numbers are stored in the
// preferences and in table records.
enum class Justify : int {
  Left = 0,
  Centre = 1,
  Right = 2,
  Full = 3,  // spaces widened to fill the column, except on a paragraph's last line
};

// Lays out text on a new page width cells wide and as high as its lines (at most
// lineLimit of them; 0 for no limit); cells not written stay empty. The page is made by
// this call (PageNew) and belongs to the caller. k_ERROR_INVALID_PARAMETER for a width
// outside 1 ... 32767, k_ERROR_INVALID_DATA for more lines than a page can hold.
int TextToPage(Page* page, int width, int lineLimit, Justify justify, const char* text,
               std::int32_t length);

}  // namespace glyphora
