// Laying what a tool built on the document: a shape becomes the floating selection, a
// fill changes the picture in place. Each is one undoable action.
#pragma once

#include "glyphora/document/document.h"
#include "glyphora/tools/raster_seam.h"

namespace glyphora {

// Makes *shape (a page from LineMakePage, CircleMakePage or RectangleMakePage) the
// floating selection with its top-left cell at (column, row), to be merged with
// BlitMode::SkipBlank so that only the shape's characters land. A selection already
// floating is merged first. The document takes the shape's buffer and *shape is left
// empty. k_ERROR_INVALID_PARAMETER for a position past 16 bits; on failure the shape is
// still the caller's.
int ShapeFloat(Document* document, Page* shape, int column, int row);
// FillOnPage on the picture as one action, the page repainted; a start cell off the page
// is refused (k_ERROR_INVALID_PARAMETER) before the action begins.
int BucketFill(Document* document, int column, int row, unsigned char character,
               const RasterOps& raster);

}  // namespace glyphora
