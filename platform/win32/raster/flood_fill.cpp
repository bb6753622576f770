// The surface flood fill with GDI: ExtFloodFill paints the white surface with the black
// stock brush.
#include <windows.h>

#include <cstddef>

#include "platform/raster.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/raster/mono_section.h"

namespace platform {

int FloodFillSurface(MonoBitmap* bitmap, int x, int y) {
  int w = bitmap->width, h = bitmap->height;
  if (x < 0 || y < 0 || x >= w || y >= h || bitmap->pixels[static_cast<std::size_t>(y) * w + x] != 0) return 0;
  win32::MonoSection section(*bitmap);
  if (int error = section.Open()) return error;
  win32::ScopedSelection selectBrush(section.dc(), GetStockObject(BLACK_BRUSH));
  if (!selectBrush.ok()) return win32::GdiError();
  if (!ExtFloodFill(section.dc(), x, y, RGB(255, 255, 255), FLOODFILLSURFACE)) return win32::GdiError();
  section.CopyOut(bitmap);
  return 0;
}

}  // namespace platform
