// Pasted text made plain: control characters become spaces (tab and the line ends stay,
// 3 becomes CR) and upper characters their nearest plain ASCII look-alike.
#pragma once

#include <cstdint>

namespace glyphora {

// Maps every byte of text through the translation table, in place.
void TextTranslate(char* text, std::int32_t length);
// The table entry for one byte.
unsigned char TranslateChar(unsigned char c);

}  // namespace glyphora
