#include "glyphora/tools/shape_float.h"

#include "glyphora/tools/fill.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

bool Fits16(int value) { return value >= INT16_MIN && value <= INT16_MAX; }

}  // namespace

int ShapeFloat(Document* document, Page* shape, int column, int row) {
  if (!Fits16(column) || !Fits16(row)) return platform::k_ERROR_INVALID_PARAMETER;
  int error = DocBeginAction(document);
  if (error == 0 && document->current.floating != 0) error = DocFrontPageDrop(document, true, true);
  if (error != 0) return error;
  DocState& state = document->current;
  state.floating = 1;
  state.floatingPage = *shape;
  state.floatingColumn = static_cast<std::int16_t>(column);
  state.floatingRow = static_cast<std::int16_t>(row);
  state.mergeMode = BlitMode::SkipBlank;
  *shape = Page();
  DocInvalArea(document, DocFloatingArea(state));
  return 0;
}

int BucketFill(Document* document, int column, int row, unsigned char character,
               const RasterOps& raster) {
  const Page& page = document->current.mainPage;
  if (column < 0 || row < 0 || column >= page.width || row >= page.height)
    return platform::k_ERROR_INVALID_PARAMETER;
  int error = DocBeginAction(document);
  if (error == 0) error = FillOnPage(&document->current.mainPage, column, row, character, raster);
  if (error != 0) return error;
  DocInvalArea(document, CellRect{0, 0, page.width, page.height});
  return 0;
}

}  // namespace glyphora
