// What the line, circle and rectangle tools share: the shape page they build, laid on
// the document as a floating selection or merged, and the thickness rule that makes a
// thick shape look equally thick both ways in cells taller than wide.
#pragma once

#include "glyphora/document/page/page.h"
#include "glyphora/tools/raster_seam.h"

namespace glyphora {

// The display font's cell in pixels.
struct CellSize {
  int width;
  int height;
};

// The line's or outline's thickness in rows for a thickness of t columns:
// (t * width + height - 1) / height.
int VerticalThickness(int thickness, const CellSize& cell);

// A new empty shape page of width x height cells and a white bitmap of bitmapWidth x
// bitmapHeight pixels; k_ERROR_INVALID_PARAMETER when a dimension is negative or the page
// would pass 32767 cells either way. On failure neither is left allocated.
int ShapeCanvasNew(Page* shape, int width, int height, MonoBitmap* bitmap, int bitmapWidth,
                   int bitmapHeight);
// Ends a shape: frees the bitmap, then on error frees the page and returns the error,
// else hands the page to *shape.
int ShapeCanvasFinish(Page* shape, Page* page, MonoBitmap* bitmap, int error);

}  // namespace glyphora
