// The surface flood fill with GDI: the bitmap goes into a 1-bit DIB section, ExtFloodFill
// paints the white surface with the black stock brush, and the bits come back.
#include <windows.h>

#include <cstddef>

#include "platform/raster.h"
#include "platform/win32/raster/dib_headers.h"
#include "platform/win32/raster/gdi_scoped.h"

namespace platform {

namespace {

void CopyIn(const MonoBitmap& bitmap, unsigned char* bits) {
  int stride = win32::MonoStride(bitmap.width);
  for (int y = 0; y < bitmap.height; ++y)
    for (int x = 0; x < bitmap.width; ++x)
      if (bitmap.pixels[static_cast<std::size_t>(y) * bitmap.width + x] != 0)
        bits[y * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
}

void CopyOut(const unsigned char* bits, MonoBitmap* bitmap) {
  int stride = win32::MonoStride(bitmap->width);
  for (int y = 0; y < bitmap->height; ++y)
    for (int x = 0; x < bitmap->width; ++x)
      bitmap->pixels[static_cast<std::size_t>(y) * bitmap->width + x] = (bits[y * stride + x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace

int FloodFillSurface(MonoBitmap* bitmap, int x, int y) {
  int w = bitmap->width, h = bitmap->height;
  if (x < 0 || y < 0 || x >= w || y >= h || bitmap->pixels[static_cast<std::size_t>(y) * w + x] != 0) return 0;
  win32::ScopedMemoryDc dc;
  if (dc.get() == nullptr) return win32::GdiError();
  win32::MonoInfo info = win32::MonoHeader(w, -h);
  void* bits = nullptr;
  win32::ScopedGdiObject section(
      CreateDIBSection(dc.get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section.get() == nullptr || bits == nullptr) return win32::GdiError();
  ZeroMemory(bits, static_cast<std::size_t>(win32::MonoStride(w)) * h);
  CopyIn(*bitmap, static_cast<unsigned char*>(bits));
  win32::ScopedSelection selectBitmap(dc.get(), section.get());
  win32::ScopedSelection selectBrush(dc.get(), GetStockObject(BLACK_BRUSH));
  if (!selectBitmap.ok() || !selectBrush.ok()) return win32::GdiError();
  if (!ExtFloodFill(dc.get(), x, y, RGB(255, 255, 255), FLOODFILLSURFACE)) return win32::GdiError();
  GdiFlush();
  CopyOut(static_cast<const unsigned char*>(bits), bitmap);
  return 0;
}

}  // namespace platform
