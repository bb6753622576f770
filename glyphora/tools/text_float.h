// The text tool's text: typed or pasted bytes kept as the floating selection's source
// (source kind Text) and laid out again into the floating page after every change, the
// caret being the insertion index into that source.
#pragma once

#include <cstdint>

#include "glyphora/convert/text_to_page.h"
#include "glyphora/document/document.h"

namespace glyphora {

// How a text tool turns its source into the floating page (a new page, the caller's).
struct TextLayout {
  int (*lay)(const void* context, const char* text, std::int32_t length, Page* page);
  const void* context;
};
// Plain text in a column as wide as its longest line, placed by *justify.
TextLayout PlainTextLayout(const Justify* justify);

// True while the floating selection is the text tool's text.
bool TextFloating(const DocState& state);
// Starts an empty text at (column, row) as one action; a selection already floating is
// laid down first. k_ERROR_INVALID_PARAMETER for a position past 16 bits.
int TextFloatStart(Document* document, int column, int row, BlitMode mode);
// Inserts length bytes at the caret and lays the text out again, as one action.
// k_ERROR_INVALID_FUNCTION when no text floats.
int TextFloatInsert(Document* document, const char* text, std::int32_t length, const TextLayout& layout);
// Takes off the byte before the caret (Backspace) as one action; none: nothing happens.
int TextFloatErase(Document* document, const TextLayout& layout);
// Lays the source out again (an option changed); no text floating: nothing.
int TextFloatLayout(Document* document, const TextLayout& layout);

}  // namespace glyphora
