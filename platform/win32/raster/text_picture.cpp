// Text drawn by GDI into a 32-bit top-down section, as large as DrawText measures it.
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>

#include "platform/raster.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/wide.h"

namespace platform {

namespace {

constexpr UINT k_alignFormats[] = {DT_LEFT, DT_CENTER, DT_RIGHT};

HFONT MakeFont(const TextFont& f) {
  LOGFONTW font{};
  font.lfHeight = -f.height;
  font.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = f.italic;
  font.lfUnderline = f.underline;
  font.lfStrikeOut = f.strikeOut;
  font.lfQuality = NONANTIALIASED_QUALITY;  // clean edges make clean characters
  std::wstring face = win32::WideFromGbk(f.face);
  wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectW(&font);
}

// Draws the measured text black on white into a section of width x height and copies its
// pixels out.
int DrawInto(HDC dc, const std::wstring& text, UINT format, int width, int height, RgbPicture* picture) {
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  win32::ScopedGdiObject section(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section.get() == nullptr) return k_ERROR_NOT_ENOUGH_MEMORY;
  win32::ScopedSelection selected(dc, section.get());
  if (!selected.ok()) return win32::GdiError();
  RECT area{0, 0, width, height};
  PatBlt(dc, 0, 0, width, height, WHITENESS);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
  GdiFlush();
  picture->width = width;
  picture->height = height;
  picture->pixels.resize(static_cast<std::size_t>(width) * height);
  std::memcpy(picture->pixels.data(), bits, picture->pixels.size() * sizeof(std::uint32_t));
  return 0;
}

}  // namespace

int DrawTextPicture(const std::string& text, const TextFont& font, TextAlign align, int maxWidth, int maxHeight,
                    RgbPicture* picture) {
  int a = static_cast<int>(align);
  if (a < 0 || a > 2 || font.height <= 0 || maxWidth < 1 || maxHeight < 1) return k_ERROR_INVALID_PARAMETER;
  win32::ScopedMemoryDc dc;
  win32::ScopedGdiObject made(MakeFont(font));
  if (dc.get() == nullptr || made.get() == nullptr) return win32::GdiError();
  win32::ScopedSelection selected(dc.get(), made.get());
  if (!selected.ok()) return win32::GdiError();
  std::wstring wide = win32::WideFromGbk(text);
  UINT format = DT_NOPREFIX | k_alignFormats[a];
  RECT r{0, 0, 0, 0};
  DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &r, format | DT_CALCRECT);
  return DrawInto(dc.get(), wide, format, std::clamp<int>(r.right, 1, maxWidth), std::clamp<int>(r.bottom, 1, maxHeight),
                  picture);
}

}  // namespace platform
