// glyphora-cli draw: a drawing tool applied once to the page of an opened file.
#pragma once

#include "glyphora/cli/cli_args.h"
#include "glyphora/tools/raster_seam.h"
#include "glyphora/tools/shape_page.h"

namespace glyphora::cli {

// What the line, circle and fill need of the platform: its drawing and the display
// font's cell.
struct DrawPlatform {
  RasterOps raster;
  CellSize cell;
};

// draw FILE SHAPE ARGS... [--char C] [--thickness T] [--no-compounds]: the shape laid on
// the page of `open FILE` (blanks of the shape transparent, the page growing down to hold
// it), printed in file form. Without a platform (null), line, circle and fill are refused
// with a UsageError that says so.
int RunDraw(CliArgs& args, const DrawPlatform* platform);

// The platform's drawing with the cell of the display font the options name.
DrawPlatform PlatformDrawing(const GlobalOptions& options);

}  // namespace glyphora::cli
