// One-pixel lines with GDI: the black stock pen on a 1-bit DIB section.
#include <windows.h>

#include <cstddef>
#include <cstdlib>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/raster/mono_section.h"

namespace platform {

int DrawLine(MonoBitmap* bitmap, int x0, int y0, int x1, int y1) {
  if (std::llabs(static_cast<long long>(x1) - x0) > (1 << 24) || std::llabs(static_cast<long long>(y1) - y0) > (1 << 24))
    return k_ERROR_INVALID_PARAMETER;
  win32::MonoSection section(*bitmap);
  if (int error = section.Open()) return error;
  win32::ScopedSelection selectPen(section.dc(), GetStockObject(BLACK_PEN));
  if (!selectPen.ok()) return win32::GdiError();
  if (!MoveToEx(section.dc(), x0, y0, nullptr) || !LineTo(section.dc(), x1, y1)) return win32::GdiError();
  section.CopyOut(bitmap);
  return 0;
}

}  // namespace platform
