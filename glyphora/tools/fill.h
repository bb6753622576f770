// The bucket's fill.
#pragma once

#include "glyphora/document/page/page.h"
#include "glyphora/tools/raster_seam.h"

namespace glyphora {

// Gives character to every fillable cell four-neighbour connected to (column, row),
// bounded only by the page. A cell is fillable when it holds the start cell's byte; when
// that byte is empty or a space, empty and space cells count as one. The connected area
// comes from the platform's flood fill on a one-pixel-per-cell bitmap.
// k_ERROR_INVALID_PARAMETER for a start cell off the page; on any failure the page is
// unchanged.
int FillOnPage(Page* page, int column, int row, unsigned char character, const RasterOps& raster);

}  // namespace glyphora
