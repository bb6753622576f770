#include "platform/win32/raster/mono_section.h"

#include <cstddef>
#include <cstring>

#include "platform/win32/raster/dib_headers.h"
#include "platform/win32/raster/gdi_scoped.h"

namespace platform::win32 {

MonoSection::~MonoSection() {
  if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
  if (section_ != nullptr) DeleteObject(section_);
  if (dc_ != nullptr) DeleteDC(dc_);
}

int MonoSection::Open() {
  dc_ = CreateCompatibleDC(nullptr);
  if (dc_ == nullptr) return GdiError();
  MonoInfo info = MonoHeader(source_.width, -source_.height);  // rows top-down
  void* bits = nullptr;
  section_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section_ == nullptr || bits == nullptr) return GdiError();
  bits_ = static_cast<unsigned char*>(bits);
  int stride = MonoStride(source_.width);
  std::memset(bits_, 0, static_cast<std::size_t>(stride) * source_.height);
  for (int y = 0; y < source_.height; ++y)
    for (int x = 0; x < source_.width; ++x)
      if (source_.pixels[static_cast<std::size_t>(y) * source_.width + x] != 0)
        bits_[y * stride + x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
  oldBitmap_ = SelectObject(dc_, section_);
  if (oldBitmap_ == nullptr || oldBitmap_ == HGDI_ERROR) {
    oldBitmap_ = nullptr;
    return GdiError();
  }
  return 0;
}

void MonoSection::CopyOut(MonoBitmap* bitmap) const {
  GdiFlush();
  int stride = MonoStride(bitmap->width);
  for (int y = 0; y < bitmap->height; ++y)
    for (int x = 0; x < bitmap->width; ++x)
      bitmap->pixels[static_cast<std::size_t>(y) * bitmap->width + x] = (bits_[y * stride + x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace platform::win32
