#include "glyphora/convert/text_translate.h"

namespace glyphora {

namespace {

// Look-alikes of 128 ... 255, one character each; the spaces in it are the codes that
// become a space (127 ... 129, 141 ... 144, 157, 158, 160).
constexpr char k_upperLookAlikes[] =
    "  ,f,.||^%S<O    ''\"\"*--~ts>o  Y"   // 128 ... 159
    " !cE*Y|S\"ca<--R-"                   // 160 ... 175
    "o+23'uP.,1o>423?"                    // 176 ... 191
    "AAAAAAACEEEEIIII"                    // 192 ... 207
    "DNOOOOOx0UUUUYpB"                    // 208 ... 223
    "aaaaaaaceeeeiiii"                    // 224 ... 239
    "dnooooo-ouuuuypy";                   // 240 ... 255
static_assert(sizeof k_upperLookAlikes == 128 + 1, "one look-alike for each of 128 ... 255");

}  // namespace

unsigned char TranslateChar(unsigned char c) {
  if (c == 3) return '\r';
  if (c == '\t' || c == '\n' || c == '\r') return c;
  if (c < 32 || c == 127) return ' ';
  if (c < 127) return c;
  return static_cast<unsigned char>(k_upperLookAlikes[c - 128]);
}

void TextTranslate(char* text, std::int32_t length) {
  for (std::int32_t i = 0; i < length; ++i)
    text[i] = static_cast<char>(TranslateChar(static_cast<unsigned char>(text[i])));
}

}  // namespace glyphora
