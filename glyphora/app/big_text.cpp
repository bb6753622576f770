#include "glyphora/app/big_text.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "glyphora/convert/picture_on_page.h"
#include "platform/system_error.h"
#include "platform/win32/wide.h"

namespace glyphora::app {

namespace {

constexpr UINT k_justifyFormats[] = {DT_LEFT, DT_CENTER, DT_RIGHT, DT_LEFT};  // full: as left

// A memory DC with the big-text font selected; frees both when done.
class FontDc {
 public:
  explicit FontDc(const Preferences& p) : dc_(CreateCompatibleDC(nullptr)) {
    LOGFONTW font{};
    font.lfHeight = -p.bigTextSize;
    font.lfWeight = (p.bigTextStyle & k_bigTextBold) != 0 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (p.bigTextStyle & k_bigTextItalic) != 0;
    font.lfUnderline = (p.bigTextStyle & k_bigTextUnderline) != 0;
    font.lfStrikeOut = (p.bigTextStyle & k_bigTextStrikeOut) != 0;
    font.lfQuality = NONANTIALIASED_QUALITY;  // clean edges make clean characters
    std::wstring face = platform::win32::WideFromGbk(p.bigTextFace);
    wcsncpy(font.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    font_ = CreateFontIndirectW(&font);
    if (dc_ != nullptr && font_ != nullptr) old_ = SelectObject(dc_, font_);
  }
  ~FontDc() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (font_ != nullptr) DeleteObject(font_);
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  FontDc(const FontDc&) = delete;
  FontDc& operator=(const FontDc&) = delete;
  bool ok() const { return old_ != nullptr; }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HFONT font_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Black text on white in a top-down 32-bit picture as large as the text needs.
int DrawBigText(const BigTextContext& c, const std::wstring& text, platform::RgbPicture* picture) {
  FontDc font(c.editor->preferences);
  if (!font.ok()) return static_cast<int>(GetLastError());
  UINT format = DT_NOPREFIX | k_justifyFormats[static_cast<int>(c.justify) & 3];
  RECT r{0, 0, 0, 0};
  DrawTextW(font.dc(), text.c_str(), static_cast<int>(text.size()), &r, format | DT_CALCRECT);
  int width = std::clamp<int>(r.right, 1, k_maxDocWidth), height = std::clamp<int>(r.bottom, 1, k_maxDocHeight);
  BITMAPINFO info{};
  info.bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(font.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  HGDIOBJ old = SelectObject(font.dc(), bitmap);
  RECT area{0, 0, width, height};
  PatBlt(font.dc(), 0, 0, width, height, WHITENESS);
  SetTextColor(font.dc(), RGB(0, 0, 0));
  SetBkMode(font.dc(), TRANSPARENT);
  DrawTextW(font.dc(), text.c_str(), static_cast<int>(text.size()), &area, format);
  GdiFlush();
  picture->width = width;
  picture->height = height;
  picture->pixels.resize(static_cast<std::size_t>(width) * height);
  std::memcpy(picture->pixels.data(), bits, picture->pixels.size() * sizeof(std::uint32_t));
  SelectObject(font.dc(), old);
  DeleteObject(bitmap);
  return 0;
}

int LayBig(const void* context, const char* text, std::int32_t length, Page* page) {
  const auto& c = *static_cast<const BigTextContext*>(context);
  if (length == 0) return PageNew(page, 1, 1);
  platform::RgbPicture picture;
  int error = DrawBigText(c, platform::win32::WideFromGbk(std::string(text, static_cast<std::size_t>(length))), &picture);
  if (error == 0) error = PageNew(page, picture.width, picture.height);
  if (error != 0) return error;
  error = PictureOnPage(page, picture, PictureScaling::Direct, c.editor->grays);
  if (error != 0) PageKill(page);
  return error;
}

}  // namespace

TextLayout BigTextLayout(const BigTextContext* context) { return TextLayout{LayBig, context}; }

}  // namespace glyphora::app
