#include "glyphora/document/document.h"

#include <algorithm>
#include <new>

#include "platform/system_error.h"

namespace glyphora {

namespace {

CellRect PageArea(const Page& page) { return CellRect{0, 0, page.width, page.height}; }

void InvalPageAndFloating(Document* document) {
  DocInvalArea(document, PageArea(document->current.mainPage));
  if (document->current.floating) DocInvalArea(document, DocFloatingArea(document->current));
}

}  // namespace

int DocumentCreate(Document** document, DocWindow* window, int width, int height) {
  if (width < 1 || height < 1 || width > k_maxDocWidth || height > k_maxDocHeight)
    return platform::k_ERROR_INVALID_PARAMETER;
  Document* made = new (std::nothrow) Document();
  if (made == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  int error = PageNew(&made->current.mainPage, width, height);
  if (error == 0) error = DocStateCopy(&made->undo, made->current);
  if (error != 0) {
    DocStateKill(&made->current);
    delete made;
    return error;
  }
  made->window = window;
  if (window != nullptr) window->ToolActive(made->current.tool, 1);
  *document = made;
  return 0;
}

void DocumentKill(Document* document) {
  if (document->window != nullptr) document->window->ToolActive(document->current.tool, 0);
  DocStateKill(&document->current);
  DocStateKill(&document->undo);
  delete document;
}

int DocBeginAction(Document* document) {
  DocState copy;
  int error = DocStateCopy(&copy, document->current);
  if (error != 0) return error;
  DocStateKill(&document->undo);
  document->undo = copy;
  document->dirty = 1;
  return 0;
}

void DocumentUndo(Document* document) {
  DocWindow* window = document->window;
  if (window != nullptr) {
    window->ToolTemp(document->current.tool, 1);
    window->ToolButtons(document->current.tool, 0);
  }
  InvalPageAndFloating(document);
  int oldWidth = document->current.mainPage.width;
  std::swap(document->current, document->undo);
  if (document->current.mainPage.width == oldWidth) InvalPageAndFloating(document);
  else if (window != nullptr) window->ResetScrolling();
  if (window != nullptr) {
    window->ToolTemp(document->current.tool, 0);
    window->ToolButtons(document->current.tool, 1);
  }
}

int DocFrontPageDrop(Document* document, bool merge, bool kill) {
  DocState& state = document->current;
  if (!state.floating) return 0;
  DocInvalArea(document, DocFloatingArea(state));
  if (merge) {
    int bottom = std::min(state.floatingRow + state.floatingPage.height, k_maxDocHeight);
    int error = DocPageExtend(document, bottom);
    if (error != 0) return error;
    PageMerge(&state.mainPage, state.floatingPage, state.floatingColumn, state.floatingRow,
              state.mergeMode);
  }
  if (kill) {
    PageKill(&state.floatingPage);
    DocSourceKill(&state);
    state.floating = 0;
  }
  return 0;
}

int DocPageExtend(Document* document, int height) {
  Page& page = document->current.mainPage;
  if (height <= page.height) return 0;
  int error = PageResize(&page, page.width, height);
  if (error != 0) return error;
  DocView& view = document->view;
  int rows = (view.bottom - view.top) / std::max(view.cellHeight, 1);
  view.visibleRows = std::min(rows, static_cast<int>(page.height));
  return 0;
}

void DocInvalArea(Document* document, const CellRect& cells) {
  if (document->window != nullptr) document->window->InvalArea(cells);
}

CellRect DocFloatingArea(const DocState& state) {
  return CellRect{state.floatingColumn, state.floatingRow,
                  state.floatingColumn + state.floatingPage.width,
                  state.floatingRow + state.floatingPage.height};
}

}  // namespace glyphora
