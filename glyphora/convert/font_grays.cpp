#include "glyphora/convert/font_grays.h"

#include <algorithm>
#include <iterator>

#include "platform/raster.h"

namespace glyphora {

int CalculateFontGrays(GrayTable* table, const std::string& face, int size) {
  platform::FontInk ink;
  if (int error = platform::MeasureFontInk(face, std::clamp(size, k_minFontSize, k_maxFontSize), &ink))
    return error;
  GrayTable measured = *table;
  std::copy(std::begin(ink.pixels), std::end(ink.pixels), measured.charPixels);
  measured.fontWidth = ink.cellWidth;
  measured.fontHeight = ink.cellHeight;
  if (int error = CalculateCharGrays(&measured)) return error;
  *table = measured;
  return 0;
}

}  // namespace glyphora
