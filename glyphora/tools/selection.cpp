#include "glyphora/tools/selection.h"

#include <algorithm>
#include <cstdint>

#include "platform/system_error.h"

namespace glyphora {

namespace {

bool Fits16(int value) { return value >= INT16_MIN && value <= INT16_MAX; }

std::int16_t Held16(int value) {
  return static_cast<std::int16_t>(std::clamp<int>(value, INT16_MIN, INT16_MAX));
}

}  // namespace

int SelectionFloat(Document* document, Page* page, int column, int row, BlitMode mode) {
  if (!Fits16(column) || !Fits16(row)) return platform::k_ERROR_INVALID_PARAMETER;
  int error = DocBeginAction(document);
  if (error == 0 && document->current.floating != 0) error = DocFrontPageDrop(document, true, true);
  if (error != 0) return error;
  DocState& state = document->current;
  state.floating = 1;
  state.floatingPage = *page;
  state.floatingColumn = static_cast<std::int16_t>(column);
  state.floatingRow = static_cast<std::int16_t>(row);
  state.mergeMode = mode;
  *page = Page();
  DocInvalArea(document, DocFloatingArea(state));
  return 0;
}

int SelectionLift(Document* document, const CellRect& rect, BlitMode mode) {
  const Page& main = document->current.mainPage;
  CellRect r{std::max(rect.left, 0), std::max(rect.top, 0), std::min<int>(rect.right, main.width),
             std::min<int>(rect.bottom, main.height)};
  if (r.right <= r.left || r.bottom <= r.top) return 0;
  Page lifted;
  int error = PageNew(&lifted, r.right - r.left, r.bottom - r.top);
  if (error != 0) return error;
  PageDataBlit(lifted.cells, lifted.width, lifted.height, 0, 0, main.cells, main.width, main.height,
               r.left, r.top, BlitMode::Copy);
  error = SelectionFloat(document, &lifted, r.left, r.top, mode);
  if (error != 0) {
    PageKill(&lifted);
    return error;
  }
  Page& picture = document->current.mainPage;
  for (int y = r.top; y < r.bottom; ++y)
    std::fill_n(picture.cells + y * picture.width + r.left, r.right - r.left, k_emptyCell);
  return 0;
}

int DocumentSelAll(Document* document, BlitMode mode) {
  const Page& main = document->current.mainPage;
  return SelectionLift(document, CellRect{0, 0, main.width, main.height}, mode);
}

void SelectionMoveTo(Document* document, int column, int row) {
  DocState& state = document->current;
  if (state.floating == 0) return;
  DocInvalArea(document, DocFloatingArea(state));
  state.floatingColumn = Held16(column);
  state.floatingRow = Held16(row);
  DocInvalArea(document, DocFloatingArea(state));
}

int SelectionTransform(Document* document, Transform transform, const GrayTable& grays) {
  if (document->current.floating == 0) return platform::k_ERROR_INVALID_FUNCTION;
  int error = DocBeginAction(document);
  if (error != 0) return error;
  DocState& state = document->current;
  DocInvalArea(document, DocFloatingArea(state));
  error = PageTransform(&state.floatingPage, transform, grays);
  DocInvalArea(document, DocFloatingArea(state));
  return error;
}

int SelectionClear(Document* document) {
  if (document->current.floating == 0) return 0;
  int error = DocBeginAction(document);
  if (error != 0) return error;
  return DocFrontPageDrop(document, false, true);
}

const Page& SelectionCopyPage(const Document& document) {
  return document.current.floating != 0 ? document.current.floatingPage : document.current.mainPage;
}

}  // namespace glyphora
