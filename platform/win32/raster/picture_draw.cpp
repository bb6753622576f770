// Pictures drawn into grey bitmaps with GDI: the picture becomes a 32-bit DIB section and
// is stretched, colour on colour, into the grey section; GDI matches each colour to its
// nearest grey.
#include <windows.h>

#include <cstring>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/raster/gray_section.h"

namespace platform {

namespace {

BITMAPINFOHEADER DibHeader(int width, int height, int bits) {
  BITMAPINFOHEADER h = {};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bits);
  h.biCompression = BI_RGB;
  return h;
}

// A DIB section of the picture, rows top-down (pixels 0x00RRGGBB are its memory form).
HBITMAP PictureSection(HDC dc, const RgbPicture& picture) {
  BITMAPINFO info = {};
  info.bmiHeader = DibHeader(picture.width, -picture.height, 32);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr && bits != nullptr)
    std::memcpy(bits, picture.pixels.data(), picture.pixels.size() * sizeof picture.pixels[0]);
  return bitmap;
}

int Stretch(HDC target, const RgbPicture& picture, int width, int height) {
  win32::ScopedMemoryDc source;
  if (source.get() == nullptr) return win32::GdiError();
  win32::ScopedGdiObject sourceBitmap(PictureSection(source.get(), picture));
  if (sourceBitmap.get() == nullptr) return win32::GdiError();
  win32::ScopedSelection selectSource(source.get(), sourceBitmap.get());
  if (!selectSource.ok()) return win32::GdiError();
  SetStretchBltMode(target, COLORONCOLOR);
  if (!StretchBlt(target, 0, 0, width, height, source.get(), 0, 0, picture.width, picture.height, SRCCOPY))
    return win32::GdiError();
  return 0;
}

}  // namespace

int PictureDrawGray(const RgbPicture& picture, int width, int height, GrayBitmap* bitmap) {
  if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0) return k_ERROR_INVALID_PARAMETER;
  return win32::DrawOnGraySection(width, height, bitmap,
                                  [&](HDC target) { return Stretch(target, picture, width, height); });
}

}  // namespace platform
