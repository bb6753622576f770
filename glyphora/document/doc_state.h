// The document's state record: the picture, the floating selection and what it was made
// from. The document keeps two of them (current and undo) and swaps them whole.
#pragma once

#include <cstdint>

#include "glyphora/document/page/page.h"
#include "glyphora/document/page/page_blit.h"

namespace glyphora {

// What a floating selection was made from; kept so it can be rendered again at another
// size until the selection is dropped. The numbers are stored in the state.
enum class SourceKind : int {
  None = 0,
  Text = 1,      // text of the text tools
  Table = 2,     // tab-separated table text (a table record)
  Metafile = 3,  // an enhanced metafile, kept as its bytes
  Bitmap = 4,    // a device-independent bitmap
};

// A memory block the state owns (Allocate / Destroy).
struct SourceBlock {
  unsigned char* data = nullptr;
  std::int32_t size = 0;
};

struct DocState {
  std::int32_t floating = 0;  // nonzero while a floating selection exists
  Page mainPage;
  Page floatingPage;                // meaningful only while floating
  std::int16_t floatingColumn = 0;  // top-left of the floating page on the main page;
  std::int16_t floatingRow = 0;     // may be negative or beyond the page
  BlitMode mergeMode = BlitMode::EmptyAsBlank;
  SourceKind sourceKind = SourceKind::None;
  std::int32_t caret = 0;         // insertion index into source text (Text)
  std::int32_t sourceLength = 0;  // length of the source text (Text)
  SourceBlock source;
  std::int32_t tool = 0;  // index of the current tool
};

// Deep copy: new buffers for the main page, the floating page when floating, and the
// source. On failure *copy is untouched and nothing is left allocated.
int DocStateCopy(DocState* copy, const DocState& state);
// Frees both pages and the source; the state is left empty.
void DocStateKill(DocState* state);
// Frees the source and sets its kind to None.
void DocSourceKill(DocState* state);

}  // namespace glyphora
