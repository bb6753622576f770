#include "glyphora/convert/picture_on_page.h"

#include <cstdint>

#include "glyphora/convert/gray_levels.h"
#include "glyphora/convert/scale_size.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

bool Known(PictureScaling scaling) {
  int n = static_cast<int>(scaling);
  return n >= 0 && n <= 2;
}

// The level map of the drawn bitmap's own histogram.
void LevelMap(const platform::GrayBitmap& bitmap, unsigned char map[k_grayCount]) {
  std::uint32_t histogram[k_grayCount] = {};
  for (unsigned char index : bitmap.indices) ++histogram[index];
  GrayLevelMap(FindGrayLevels(histogram, static_cast<std::int64_t>(bitmap.indices.size())), map);
}

}  // namespace

void PictureCells(int pageWidth, int pageHeight, int sourceWidth, int sourceHeight, PictureScaling scaling,
                  const GrayTable& grays, int* width, int* height) {
  *width = pageWidth;
  *height = pageHeight;
  if (scaling == PictureScaling::Direct) {
    ScaleSize(width, height, sourceWidth, sourceHeight);
  } else if (scaling == PictureScaling::Proportional) {
    if (grays.fontHeight <= 0) {  // no font cell to keep the proportions on
      *width = *height = 0;
      return;
    }
    std::int64_t cellHeight = static_cast<std::int64_t>(sourceHeight) * grays.fontWidth / grays.fontHeight;
    ScaleSize(width, height, sourceWidth, static_cast<int>(cellHeight));
  }
}

namespace {

// Fits a source of sourceWidth x sourceHeight on the page, has draw(w, h, bitmap) draw it
// into a grey bitmap of its size in cells, and lays the characters down centred.
template <typename Draw>
int GraysOnPage(Page* page, int sourceWidth, int sourceHeight, PictureScaling scaling, const GrayTable& grays,
                Draw draw) {
  if (!Known(scaling) || (scaling == PictureScaling::Proportional && (grays.fontWidth <= 0 || grays.fontHeight <= 0)))
    return platform::k_ERROR_INVALID_PARAMETER;
  int w = 0, h = 0;
  PictureCells(page->width, page->height, sourceWidth, sourceHeight, scaling, grays, &w, &h);
  if (w <= 0 || h <= 0) return 0;
  platform::GrayBitmap bitmap;
  if (int error = draw(w, h, &bitmap)) return error;
  unsigned char map[k_grayCount];
  LevelMap(bitmap, map);
  int left = (page->width - w) / 2, top = (page->height - h) / 2;
  for (int y = 0; y < h; ++y) {
    const unsigned char* row = bitmap.indices.data() + static_cast<std::size_t>(h - 1 - y) * w;  // bottom-up
    unsigned char* cells = page->cells + static_cast<std::size_t>(top + y) * page->width + left;
    for (int x = 0; x < w; ++x) cells[x] = grays.grayChars[map[row[x]]];
  }
  return 0;
}

}  // namespace

int PictureOnPage(Page* page, const platform::RgbPicture& picture, PictureScaling scaling, const GrayTable& grays) {
  return GraysOnPage(page, platform::PictureFileWidth(picture), platform::PictureFileHeight(picture), scaling, grays,
                     [&](int w, int h, platform::GrayBitmap* bitmap) { return platform::PictureDrawGray(picture, w, h, bitmap); });
}

int PictureOnPage(Page* page, const platform::Metafile& metafile, PictureScaling scaling, const GrayTable& grays) {
  return GraysOnPage(page, metafile.width, metafile.height, scaling, grays, [&](int w, int h, platform::GrayBitmap* bitmap) {
    return platform::MetafileDrawGray(metafile, w, h, bitmap);
  });
}

}  // namespace glyphora
