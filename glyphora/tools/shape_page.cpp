#include "glyphora/tools/shape_page.h"

#include <algorithm>

#include "platform/system_error.h"

namespace glyphora {

int VerticalThickness(int thickness, const CellSize& cell) {
  int height = std::max(cell.height, 1);
  return (thickness * cell.width + height - 1) / height;
}

int ShapeCanvasNew(Page* shape, int width, int height, MonoBitmap* bitmap, int bitmapWidth,
                   int bitmapHeight) {
  if (width < 0 || height < 0 || width > INT16_MAX || height > INT16_MAX)
    return platform::k_ERROR_INVALID_PARAMETER;
  Page page;
  int error = PageNew(&page, width, height);
  if (error != 0) return error;
  error = MonoBitmapNew(bitmap, bitmapWidth, bitmapHeight);
  if (error != 0) {
    PageKill(&page);
    return error;
  }
  *shape = page;
  return 0;
}

int ShapeCanvasFinish(Page* shape, Page* page, MonoBitmap* bitmap, int error) {
  MonoBitmapKill(bitmap);
  if (error != 0) {
    PageKill(page);
    return error;
  }
  *shape = *page;
  return 0;
}

}  // namespace glyphora
