// Whole-page transforms of the Effects menu: flips, rotations, spreading columns apart and
// pulling them together, and inverting the darkness of every character.
#pragma once

#include "glyphora/convert/gray_table.h"
#include "glyphora/document/page/page.h"

namespace glyphora {

// The numbers are the transform numbers the Effects commands pass.
enum class Transform : int {
  FlipHorizontal = 1,
  FlipVertical = 2,
  RotateRight = 3,  // a quarter turn clockwise: h x w
  RotateLeft = 4,
  Rotate180 = 5,
  Explode = 8,  // 2w x h, each cell followed by an empty one
  Implode = 9,  // (w + 1) / 2 x h, each pair of cells becomes its first non-space
  Invert = 10,  // every cell becomes the ramp character of the opposite darkness
};

// Replaces the page by its transform (a new buffer; the old one is freed). grays is
// used by Invert only. On failure the page is unchanged.
int PageTransform(Page* page, Transform transform, const GrayTable& grays);

}  // namespace glyphora
