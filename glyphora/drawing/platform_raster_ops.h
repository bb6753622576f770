// The drawing tools' seam joined to the platform's drawing (platform/raster.h): what the
// editor and glyphora-cli pass to the line, circle and fill.
#pragma once

#include "glyphora/tools/raster_seam.h"

namespace glyphora {

RasterOps PlatformRasterOps();

}  // namespace glyphora
