// A plain drawing of lines, ellipse outlines and flood fills for the tools' tests, so
// that the shapes can be checked cell by cell without the platform.
#pragma once

#include "glyphora/tools/raster_seam.h"

namespace glyphora_test {

// The reference drawing; every call succeeds.
glyphora::RasterOps ReferenceRaster();
// Drawing whose every call fails with k_ERROR_GEN_FAILURE (after changing nothing).
glyphora::RasterOps FailingRaster();

}  // namespace glyphora_test
