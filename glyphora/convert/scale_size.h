// Fitting a picture into a box of cells.
#pragma once

namespace glyphora {

// With the box in *width x *height: a source that fits both ways keeps its size (pictures
// are never enlarged); else both sides are multiplied by the smaller of box / source
// width and box / source height, rounded down. A negative source size gives 0 x 0.
void ScaleSize(int* width, int* height, int sourceWidth, int sourceHeight);

}  // namespace glyphora
