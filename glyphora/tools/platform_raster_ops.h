// The drawing tools' raster operations over the platform's own drawing
// (platform/raster.h): lines and flood fills. The platform has no ellipse outline yet, so
// the ellipse slot is null and the circle tool cannot draw until it has one.
#pragma once

#include "glyphora/tools/raster_seam.h"

namespace glyphora {

RasterOps PlatformRasterOps();

}  // namespace glyphora
