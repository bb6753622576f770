#include "glyphora/app/source_render.h"

#include "glyphora/convert/clip_picture.h"
#include "glyphora/convert/picture_on_page.h"
#include "glyphora/convert/text_table.h"

namespace glyphora::app {

namespace {

// The picture again on a page of the floating page's size.
int RenderPicture(const Editor* e, const DocState& state, Page* page) {
  platform::RgbPicture picture;
  int error = ClipBitmapToPicture(state.source.data, static_cast<std::size_t>(state.source.size), &picture);
  if (error == 0) error = PageNew(page, state.floatingPage.width, state.floatingPage.height);
  if (error == 0) error = PictureOnPage(page, picture, static_cast<PictureScaling>(e->preferences.scalingMode), e->grays);
  return error;
}

int Render(const Editor* e, DocState* state, Page* page) {
  if (state->sourceKind == SourceKind::Table)
    return TableToPage(page, &state->source, e->preferences.verticalRules, e->preferences.horizontalRules);
  return RenderPicture(e, *state, page);
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
  DocInvalArea(document, DocFloatingArea(state));
  PageKill(&state.floatingPage);
  state.floatingPage = page;
  DocInvalArea(document, DocFloatingArea(state));
}

}  // namespace glyphora::app
