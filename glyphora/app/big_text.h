// The big-text tool's layout: the text drawn in the big-text font (face, size and style
// from the preferences) and turned into characters through the picture conversion, one
// cell per pixel.
#pragma once

#include "glyphora/app/editor.h"
#include "glyphora/tools/text_float.h"

namespace glyphora::app {

// Style bits of the big-text font (the preferences keep four of them).
constexpr int k_bigTextBold = 1;
constexpr int k_bigTextItalic = 2;
constexpr int k_bigTextUnderline = 4;
constexpr int k_bigTextStrikeOut = 8;

struct BigTextContext {
  const Editor* editor;
  Justify justify;  // of the lines within the drawn text
};

// The layout over context, which must outlive its use.
TextLayout BigTextLayout(const BigTextContext* context);

}  // namespace glyphora::app
