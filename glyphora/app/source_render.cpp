#include "glyphora/app/source_render.h"

#include <algorithm>

#include "glyphora/convert/clip_picture.h"
#include "glyphora/convert/picture_on_page.h"
#include "glyphora/convert/table_record.h"
#include "glyphora/convert/text_table.h"
#include "platform/picture_file.h"

namespace glyphora::app {

namespace {

bool IsPicture(SourceKind kind) { return kind == SourceKind::Bitmap || kind == SourceKind::Metafile; }

int Render(const Editor* e, DocState* state, Page* page) {
  if (state->sourceKind == SourceKind::Table)
    return TableToPage(page, &state->source, e->preferences.verticalRules, e->preferences.horizontalRules);
  return PictureSourceRender(e, state->sourceKind, state->source, state->floatingPage.width,
                             state->floatingPage.height, page);
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

int PictureSourceRender(const Editor* editor, SourceKind kind, const SourceBlock& source, int width, int height,
                        Page* page) {
  auto scaling = static_cast<PictureScaling>(editor->preferences.scalingMode);
  auto size = static_cast<std::size_t>(source.size);
  if (kind == SourceKind::Metafile) {
    platform::Metafile metafile;
    int error = platform::MetafileDecode(source.data, size, &metafile);
    if (error == 0) error = PageNew(page, width, height);
    return error != 0 ? error : PictureOnPage(page, metafile, scaling, editor->grays);
  }
  platform::RgbPicture picture;
  int error = ClipBitmapToPicture(source.data, size, &picture);
  if (error == 0) error = PageNew(page, width, height);
  return error != 0 ? error : PictureOnPage(page, picture, scaling, editor->grays);
}

void SelectionRecalc(Document* document) {
  DocState& state = document->current;
  if (state.floating == 0 || (state.sourceKind != SourceKind::Table && !IsPicture(state.sourceKind))) return;
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
  if (IsPicture(state.sourceKind)) {
    error = PictureSourceRender(e, state.sourceKind, state.source, width, height, &page);
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
