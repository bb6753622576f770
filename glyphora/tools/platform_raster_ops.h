// The drawing tools' raster operations over the platform's own drawing
// (platform/raster.h): lines, ellipse outlines and flood fills.
#pragma once

#include "glyphora/tools/raster_seam.h"

namespace glyphora {

RasterOps PlatformRasterOps();

}  // namespace glyphora
