// The display font's ink, drawn with GDI into a 1-bit cell.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/raster.h"
#include "platform/win32/raster/dib_headers.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

constexpr int k_pointsPerInch = 72;

// Set bits among the first width bits of every row, each byte read from its top bit.
int CountInk(const unsigned char* bits, int width, int height) {
  int stride = win32::MonoStride(width), count = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) count += (bits[y * stride + x / 8] >> (7 - x % 8)) & 1;
  return count;
}

int MeasureWithFont(HDC dc, FontInk* ink) {
  TEXTMETRICW metrics;
  if (!GetTextMetricsW(dc, &metrics)) return win32::GdiError();
  ink->cellWidth = metrics.tmAveCharWidth;
  ink->cellHeight = metrics.tmHeight;
  win32::MonoInfo info = win32::MonoHeader(ink->cellWidth, ink->cellHeight);
  void* bits = nullptr;
  win32::ScopedGdiObject bitmap(
      CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (bitmap.get() == nullptr || bits == nullptr) return win32::GdiError();
  win32::ScopedSelection selectBitmap(dc, bitmap.get());
  if (!selectBitmap.ok()) return win32::GdiError();
  RECT cell = {0, 0, ink->cellWidth, ink->cellHeight};
  for (int c = 0; c < k_fontCharCount; ++c) {
    char ch = static_cast<char>(c);
    FillRect(dc, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    TextOutA(dc, 0, 0, &ch, 1);
    GdiFlush();
    ink->pixels[c] = static_cast<std::int16_t>(
        CountInk(static_cast<const unsigned char*>(bits), ink->cellWidth, ink->cellHeight));
  }
  return 0;
}

}  // namespace

int MeasureFontInk(const std::string& face, int pointSize, FontInk* ink) {
  win32::ScopedMemoryDc dc;
  if (dc.get() == nullptr) return win32::GdiError();
  int height = -MulDiv(pointSize, GetDeviceCaps(dc.get(), LOGPIXELSY), k_pointsPerInch);
  // The Western character set: asked for by default, a Chinese system gives a CJK font.
  win32::ScopedGdiObject font(CreateFontW(height, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, 0, 0, 0, 0,
                                          win32::WideFromGbk(face).c_str()));
  if (font.get() == nullptr) return win32::GdiError();
  win32::ScopedSelection selectFont(dc.get(), font.get());
  if (!selectFont.ok()) return win32::GdiError();
  return MeasureWithFont(dc.get(), ink);
}

}  // namespace platform
