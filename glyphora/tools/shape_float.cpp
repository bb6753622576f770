#include "glyphora/tools/shape_float.h"

#include "glyphora/tools/fill.h"
#include "glyphora/tools/selection.h"
#include "platform/system_error.h"

namespace glyphora {

int ShapeFloat(Document* document, Page* shape, int column, int row) {
  return SelectionFloat(document, shape, column, row, BlitMode::SkipBlank);
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
