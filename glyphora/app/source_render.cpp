#include "glyphora/app/source_render.h"

#include <algorithm>

#include "glyphora/convert/clip_picture.h"
#include "glyphora/convert/picture_on_page.h"
#include "glyphora/convert/table_record.h"
#include "glyphora/convert/text_table.h"

namespace glyphora::app {

namespace {

// The picture again on a page of width x height.
int RenderPicture(const Editor* e, const DocState& state, int width, int height, Page* page) {
  platform::RgbPicture picture;
  int error = ClipBitmapToPicture(state.source.data, static_cast<std::size_t>(state.source.size), &picture);
  if (error == 0) error = PageNew(page, width, height);
  if (error == 0) error = PictureOnPage(page, picture, static_cast<PictureScaling>(e->preferences.scalingMode), e->grays);
  return error;
}

int Render(const Editor* e, DocState* state, Page* page) {
  if (state->sourceKind == SourceKind::Table)
    return TableToPage(page, &state->source, e->preferences.verticalRules, e->preferences.horizontalRules);
  return RenderPicture(e, *state, state->floatingPage.width, state->floatingPage.height, page);
}

// The table's text made into a table record for the new width, replacing the source.
int RetableTo(const Editor* e, DocState* state, int width, Page* page) {
  SourceBlock table;
  int error = TextToTable(&table, TableText(state->source), TableTextLength(state->source), width,
                          e->preferences.verticalRules);
  if (error == 0) error = TableToPage(page, &table, e->preferences.verticalRules, e->preferences.horizontalRules);
  if (error != 0) {
    Destroy(table.data);
    return error;
  }
  Destroy(state->source.data);
  state->source = table;
  return 0;
}

// Swaps the new page in for the floating page, repainting both areas.
void ReplaceFloating(Document* document, Page* page) {
  DocState& state = document->current;
  DocInvalArea(document, DocFloatingArea(state));
  PageKill(&state.floatingPage);
  state.floatingPage = *page;
  *page = Page();
  DocInvalArea(document, DocFloatingArea(state));
}

}  // namespace

void SelectionRecalc(Document* document) {
  DocState& state = document->current;
  if (state.floating == 0 || (state.sourceKind != SourceKind::Table && state.sourceKind != SourceKind::Bitmap)) return;
  Editor* e = EditorOf(document);
  Page page;
  int error = Render(e, &state, &page);
  if (error != 0) {
    PageKill(&page);
    TestError(e, error);
    return;
  }
  ReplaceFloating(document, &page);
}

bool OnResizeHandle(const DocState& state, int column, int row) {
  CellRect r = DocFloatingArea(state);
  return state.floating != 0 && column == r.right && row == r.bottom;
}

int SelectionResize(Document* document, int width, int height) {
  DocState& state = document->current;
  if (state.floating == 0) return 0;
  width = std::clamp(width, 1, k_maxDocWidth);
  height = std::clamp(height, 1, k_maxDocHeight);
  Editor* e = EditorOf(document);
  Page page;
  int error = 0;
  if (state.sourceKind == SourceKind::Bitmap) {
    error = RenderPicture(e, state, width, height, &page);
  } else if (state.sourceKind == SourceKind::Table) {
    error = RetableTo(e, &state, width, &page);
  } else {
    DocInvalArea(document, DocFloatingArea(state));
    error = PageResize(&state.floatingPage, width, height);
    DocInvalArea(document, DocFloatingArea(state));
    return error;
  }
  if (error == 0) ReplaceFloating(document, &page);
  PageKill(&page);
  return error;
}

}  // namespace glyphora::app
