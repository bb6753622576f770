// Line breaking of plain text into a column of a given width, shared by the text layout
// (TextToPage) and the measure the document takes before it lays out a file.
#pragma once

#include <cstdint>
#include <vector>

namespace glyphora {

// Breaks text into lines no wider than width: a line ends at CR (an LF right after it
// belongs to the CR), or before the word that would pass the width (a word of width or
// more characters is broken where it reaches it). Gives the end of each line (the index
// after its last character, line ends included), at most lineLimit lines (0: no limit).
// The end of the text closes a last line that holds anything.
std::vector<std::int32_t> TextLineEnds(const char* text, std::int32_t length, int width,
                                       int lineLimit);

// The characters of one line as it is laid out: at most width of them, trailing spaces,
// CRs and LFs taken off. closed tells whether a CR or LF was taken off.
struct TextLine {
  std::int32_t start = 0;
  std::int32_t length = 0;
  bool closed = false;
};
TextLine TrimTextLine(const char* text, std::int32_t start, std::int32_t end, int width);

// Measures text for TextToPage: with the wrap width in *width, gives in *width the
// longest line (line ends not counted, trailing spaces counted, as a page keeps them)
// and in *lines the number of lines. k_ERROR_INVALID_PARAMETER when the width is below 1.
int PagePointerDims(const char* text, std::int32_t length, int* width, int* lines);

}  // namespace glyphora
