#include "glyphora/document/doc_state.h"

#include <cstring>

#include "platform/system_error.h"

namespace glyphora {

namespace {

int PageCopy(Page* copy, const Page& page) {
  int error = PageNew(copy, page.width, page.height);
  if (error == 0) PageMerge(copy, page, 0, 0, BlitMode::Copy);
  return error;
}

int SourceCopy(SourceBlock* copy, const SourceBlock& source) {
  *copy = SourceBlock();
  if (source.data == nullptr) return 0;
  void* data = Allocate(static_cast<std::size_t>(source.size));
  if (data == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  std::memcpy(data, source.data, static_cast<std::size_t>(source.size));
  copy->data = static_cast<unsigned char*>(data);
  copy->size = source.size;
  return 0;
}

}  // namespace

int DocStateCopy(DocState* copy, const DocState& state) {
  DocState made = state;
  made.mainPage = Page();
  made.floatingPage = Page();
  made.source = SourceBlock();
  int error = PageCopy(&made.mainPage, state.mainPage);
  if (error == 0 && state.floating) error = PageCopy(&made.floatingPage, state.floatingPage);
  if (error == 0) error = SourceCopy(&made.source, state.source);
  if (error != 0) {
    DocStateKill(&made);
    return error;
  }
  *copy = made;
  return 0;
}

void DocSourceKill(DocState* state) {
  Destroy(state->source.data);
  state->source = SourceBlock();
  state->sourceKind = SourceKind::None;
}

void DocStateKill(DocState* state) {
  PageKill(&state->mainPage);
  PageKill(&state->floatingPage);
  DocSourceKill(state);
  state->floating = 0;
}

}  // namespace glyphora
