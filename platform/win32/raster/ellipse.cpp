// Ellipse outlines with GDI: an inside-frame pen in a mapping scaled from the logical
// extent onto the 1-bit DIB section, and no brush.
#include <windows.h>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/raster/mono_section.h"

namespace platform {

int DrawEllipseOutline(MonoBitmap* bitmap, int logicalWidth, int logicalHeight, int penWidth) {
  if (logicalWidth < 1 || logicalHeight < 1 || penWidth < 1) return k_ERROR_INVALID_PARAMETER;
  win32::MonoSection section(*bitmap);
  if (int error = section.Open()) return error;
  HDC dc = section.dc();
  if (!SetMapMode(dc, MM_ANISOTROPIC) || !SetWindowExtEx(dc, logicalWidth, logicalHeight, nullptr) ||
      !SetViewportExtEx(dc, bitmap->width, bitmap->height, nullptr))
    return win32::GdiError();
  win32::ScopedGdiObject pen(CreatePen(PS_INSIDEFRAME, penWidth, RGB(0, 0, 0)));
  if (pen.get() == nullptr) return win32::GdiError();
  win32::ScopedSelection selectPen(dc, pen.get());
  win32::ScopedSelection selectBrush(dc, GetStockObject(NULL_BRUSH));
  if (!selectPen.ok() || !selectBrush.ok()) return win32::GdiError();
  if (!Ellipse(dc, 0, 0, logicalWidth, logicalHeight)) return win32::GdiError();
  section.CopyOut(bitmap);
  return 0;
}

}  // namespace platform
