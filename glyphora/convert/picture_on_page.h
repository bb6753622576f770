// Pictures rendered into characters by grey level.
#pragma once

#include "glyphora/convert/gray_table.h"
#include "glyphora/document/page/page.h"
#include "platform/raster.h"

namespace glyphora {

// How a picture is fitted into the page (a preference: the numbers are stored).
enum class PictureScaling : int {
  Direct = 0,        // one pixel to one cell, fitted into the page: accurate, but elongated
  Proportional = 1,  // fitted with the height shrunk by fontWidth / fontHeight
  Free = 2,          // stretched to the whole page in both directions
};

// The size in cells the picture takes on a page of pageWidth x pageHeight (0 x 0: none,
// as when proportional scaling has no font cell).
void PictureCells(int pageWidth, int pageHeight, int sourceWidth, int sourceHeight, PictureScaling scaling,
                  const GrayTable& grays, int* width, int* height);

// Draws the picture centred on the page: each pixel of it, drawn to its size in cells,
// becomes grayChars[level map of its grey]. Cells outside the picture are untouched, and
// so is the whole page when the picture takes no cells (no error).
// k_ERROR_INVALID_PARAMETER for an unknown scaling or, when proportional, a table without
// a font cell; the platform's error when drawing fails (the page is then unchanged).
int PictureOnPage(Page* page, const platform::RgbPicture& picture, PictureScaling scaling, const GrayTable& grays);
// The same for a metafile, sized by its bounds rectangle and played into the bitmap by the
// platform (k_ERROR_NOT_SUPPORTED where the platform has no metafile renderer).
int PictureOnPage(Page* page, const platform::Metafile& metafile, PictureScaling scaling, const GrayTable& grays);

}  // namespace glyphora
