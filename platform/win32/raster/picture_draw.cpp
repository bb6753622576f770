// Pictures drawn into grey bitmaps with GDI: the picture becomes a 32-bit DIB section and
// is stretched, colour on colour, into an 8-bit section whose palette is the greys; GDI
// matches each colour to its nearest grey.
#include <windows.h>

#include <cstring>
#include <new>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "platform/win32/raster/gdi_scoped.h"

namespace platform {

namespace {

struct GrayInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

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

// The 8-bit grey section, bottom-up: index i is the grey 255 - i.
HBITMAP GraySection(HDC dc, int width, int height, void** bits) {
  GrayInfo info = {};
  info.header = DibHeader(width, height, 8);
  for (int i = 0; i < 256; ++i) {
    BYTE grey = static_cast<BYTE>(255 - i);
    info.colours[i] = RGBQUAD{grey, grey, grey, 0};
  }
  return CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
}

int Stretch(HDC target, const RgbPicture& picture, int width, int height) {
  win32::ScopedMemoryDc source;
  if (source.get() == nullptr) return win32::GdiError();
  win32::ScopedGdiObject sourceBitmap(PictureSection(source.get(), picture));
  if (sourceBitmap.get() == nullptr) return win32::GdiError();
  win32::ScopedSelection selectSource(source.get(), sourceBitmap.get());
  if (!selectSource.ok()) return win32::GdiError();
  RECT all = {0, 0, width, height};
  FillRect(target, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetStretchBltMode(target, COLORONCOLOR);
  if (!StretchBlt(target, 0, 0, width, height, source.get(), 0, 0, picture.width, picture.height, SRCCOPY))
    return win32::GdiError();
  GdiFlush();
  return 0;
}

}  // namespace

int PictureDrawGray(const RgbPicture& picture, int width, int height, GrayBitmap* bitmap) {
  if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0) return k_ERROR_INVALID_PARAMETER;
  win32::ScopedMemoryDc dc;
  if (dc.get() == nullptr) return win32::GdiError();
  void* bits = nullptr;
  win32::ScopedGdiObject target(GraySection(dc.get(), width, height, &bits));
  if (target.get() == nullptr || bits == nullptr) return win32::GdiError();
  win32::ScopedSelection selectTarget(dc.get(), target.get());
  if (!selectTarget.ok()) return win32::GdiError();
  if (int error = Stretch(dc.get(), picture, width, height)) return error;
  std::size_t stride = (static_cast<std::size_t>(width) + 3) / 4 * 4;
  try {
    bitmap->indices.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  } catch (const std::bad_alloc&) {
    return k_ERROR_NOT_ENOUGH_MEMORY;
  }
  bitmap->width = width;
  bitmap->height = height;
  for (int y = 0; y < height; ++y)
    std::memcpy(bitmap->indices.data() + static_cast<std::size_t>(y) * width,
                static_cast<const unsigned char*>(bits) + y * stride, static_cast<std::size_t>(width));
  return 0;
}

}  // namespace platform
