// The pencil's and the rubber's drags: every point of a drag stamps the brush on the main
// page; the whole drag is one undoable action.
#pragma once

#include "glyphora/document/document.h"
#include "glyphora/tools/drawing_options.h"

namespace glyphora {

// The points of the drag so far (at most the last two are kept). A new drag starts from
// a value-initialised Stroke.
struct Stroke {
  int count = 0;
  int columns[2] = {};
  int rows[2] = {};
};

// One point of a pencil drag at a cell of the page (already pinned to its columns): the
// first point begins the action; the page grows down to hold the brush (up to
// k_maxDocHeight rows); the brush is stamped with the drawing character and the stamped
// rectangle repainted. In direction mode the character is that of the movement from the
// previous point, and the previous point is stamped again with it. A point equal to the
// last one changes nothing. Returns 0 or the error of beginning the action or growing
// the page (nothing is drawn then).
int PencilPoint(Document* document, Stroke* stroke, const DrawingOptions& options, int column,
                int row);
// The same for the rubber: its own brush, writing spaces (drawn blanks, not empty cells).
int RubberPoint(Document* document, Stroke* stroke, const DrawingOptions& options, int column,
                int row);

// A drag that moved from the stroke's last point to (column, row): every cell on the way,
// one step at a time along the straight run between them, is a point of the stroke, so
// a fast drag leaves no gaps (the first point of a stroke is just that point). Stops at
// the first error.
using StrokePointFunction = int (*)(Document* document, Stroke* stroke, const DrawingOptions& options,
                                    int column, int row);
int StrokeTo(Document* document, Stroke* stroke, const DrawingOptions& options, int column, int row,
             StrokePointFunction point);

}  // namespace glyphora
