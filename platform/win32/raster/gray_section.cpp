#include "platform/win32/raster/gray_section.h"

#include <cstddef>
#include <cstring>
#include <new>

#include "platform/system_error.h"
#include "platform/win32/raster/gdi_scoped.h"

namespace platform::win32 {

namespace {

struct GrayInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

HBITMAP GraySection(HDC dc, int width, int height, void** bits) {
  GrayInfo info = {};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  for (int i = 0; i < 256; ++i) {
    BYTE grey = static_cast<BYTE>(255 - i);
    info.colours[i] = RGBQUAD{grey, grey, grey, 0};
  }
  return CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits, nullptr, 0);
}

}  // namespace

int DrawOnGraySection(int width, int height, GrayBitmap* bitmap, const std::function<int(HDC)>& draw) {
  ScopedMemoryDc dc;
  if (dc.get() == nullptr) return GdiError();
  void* bits = nullptr;
  ScopedGdiObject target(GraySection(dc.get(), width, height, &bits));
  if (target.get() == nullptr || bits == nullptr) return GdiError();
  ScopedSelection selectTarget(dc.get(), target.get());
  if (!selectTarget.ok()) return GdiError();
  RECT all = {0, 0, width, height};
  FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (int error = draw(dc.get())) return error;
  GdiFlush();
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

}  // namespace platform::win32
