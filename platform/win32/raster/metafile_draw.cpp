// Metafiles played with GDI into the grey section, stretched to its whole size.
#include <windows.h>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "platform/win32/raster/gdi_scoped.h"
#include "platform/win32/raster/gray_section.h"

namespace platform {

namespace {

class ScopedMetafile {
 public:
  explicit ScopedMetafile(const Metafile& metafile)
      : handle_(SetEnhMetaFileBits(static_cast<UINT>(metafile.bytes.size()), metafile.bytes.data())) {}
  ~ScopedMetafile() {
    if (handle_ != nullptr) DeleteEnhMetaFile(handle_);
  }
  ScopedMetafile(const ScopedMetafile&) = delete;
  ScopedMetafile& operator=(const ScopedMetafile&) = delete;
  HENHMETAFILE get() const { return handle_; }

 private:
  HENHMETAFILE handle_;
};

}  // namespace

int MetafileDrawGray(const Metafile& metafile, int width, int height, GrayBitmap* bitmap) {
  if (width <= 0 || height <= 0 || metafile.bytes.empty()) return k_ERROR_INVALID_PARAMETER;
  ScopedMetafile handle(metafile);
  if (handle.get() == nullptr) return k_ERROR_INVALID_DATA;
  return win32::DrawOnGraySection(width, height, bitmap, [&](HDC dc) {
    RECT all = {0, 0, width, height};
    return PlayEnhMetaFile(dc, handle.get(), &all) ? 0 : win32::GdiError();
  });
}

}  // namespace platform
