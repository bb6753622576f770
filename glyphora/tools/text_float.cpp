#include "glyphora/tools/text_float.h"

#include <cstring>

#include "glyphora/document/page/text_lines.h"
#include "glyphora/tools/selection.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

// As wide as the longest line (the widest page a document takes wraps it), one empty
// cell while the text is empty.
int LayPlain(const void* context, const char* text, std::int32_t length, Page* page) {
  int width = k_maxDocWidth, lines = 0;
  int error = length > 0 ? PagePointerDims(text, length, &width, &lines) : 0;
  if (error != 0) return error;
  if (length == 0 || width == 0) return PageNew(page, 1, 1);
  return TextToPage(page, width, 0, *static_cast<const Justify*>(context), text, length);
}

// Replaces the floating page by the layout of the source, repainting both areas.
int Relay(Document* document, const TextLayout& layout) {
  DocState& state = document->current;
  Page page;
  int error = layout.lay(layout.context, reinterpret_cast<const char*>(state.source.data), state.sourceLength, &page);
  if (error != 0) return error;
  DocInvalArea(document, DocFloatingArea(state));
  PageKill(&state.floatingPage);
  state.floatingPage = page;
  DocInvalArea(document, DocFloatingArea(state));
  return 0;
}

// Replaces the source by its bytes before the caret, insert, and its bytes from
// the caret past skip; the caret lands after the inserted bytes.
int Splice(DocState* state, std::int32_t keep, const char* insert, std::int32_t length, std::int32_t skip) {
  const unsigned char* old = state->source.data;
  std::int32_t tail = state->sourceLength - keep - skip;
  std::int32_t size = keep + length + tail;
  auto* block = static_cast<unsigned char*>(Allocate(static_cast<std::size_t>(size)));
  if (block == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  if (keep > 0) std::memcpy(block, old, static_cast<std::size_t>(keep));
  if (length > 0) std::memcpy(block + keep, insert, static_cast<std::size_t>(length));
  if (tail > 0) std::memcpy(block + keep + length, old + keep + skip, static_cast<std::size_t>(tail));
  Destroy(state->source.data);
  state->source = SourceBlock{block, size};
  state->sourceLength = size;
  state->caret = keep + length;
  return 0;
}

int Edit(Document* document, const char* insert, std::int32_t length, bool erase, const TextLayout& layout) {
  if (!TextFloating(document->current)) return platform::k_ERROR_INVALID_FUNCTION;
  if (erase && document->current.caret <= 0) return 0;
  int error = DocBeginAction(document);
  if (error != 0) return error;
  DocState& state = document->current;
  std::int32_t keep = erase ? state.caret - 1 : state.caret;
  error = Splice(&state, keep, insert, length, erase ? 1 : 0);
  return error != 0 ? error : Relay(document, layout);
}

}  // namespace

TextLayout PlainTextLayout(const Justify* justify) { return TextLayout{LayPlain, justify}; }

bool TextFloating(const DocState& state) {
  return state.floating != 0 && state.sourceKind == SourceKind::Text;
}

int TextFloatStart(Document* document, int column, int row, BlitMode mode) {
  Page page;
  int error = PageNew(&page, 1, 1);
  if (error == 0) error = SelectionFloat(document, &page, column, row, mode);
  if (error != 0) {
    PageKill(&page);
    return error;
  }
  DocSourceKill(&document->current);
  DocState& state = document->current;
  state.sourceKind = SourceKind::Text;
  state.caret = 0;
  state.sourceLength = 0;
  return 0;
}

int TextFloatInsert(Document* document, const char* text, std::int32_t length, const TextLayout& layout) {
  return Edit(document, text, length, false, layout);
}

int TextFloatErase(Document* document, const TextLayout& layout) { return Edit(document, nullptr, 0, true, layout); }

int TextFloatLayout(Document* document, const TextLayout& layout) {
  return TextFloating(document->current) ? Relay(document, layout) : 0;
}

}  // namespace glyphora
