// A 1-bit bitmap held in a DIB section selected into a memory DC, so GDI can draw on it:
// the bits go in when it opens and come back with CopyOut.
#pragma once

#include <windows.h>

#include "platform/raster.h"

namespace platform::win32 {

class MonoSection {
 public:
  explicit MonoSection(const MonoBitmap& bitmap) : source_(bitmap) {}
  ~MonoSection();
  MonoSection(const MonoSection&) = delete;
  MonoSection& operator=(const MonoSection&) = delete;

  // Makes the DC and the section and copies the bitmap in; 0 or the system's error.
  int Open();
  HDC dc() const { return dc_; }
  // Flushes GDI's drawing and copies the bits into the bitmap (of the same size).
  void CopyOut(MonoBitmap* bitmap) const;

 private:
  const MonoBitmap& source_;
  HDC dc_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  unsigned char* bits_ = nullptr;
};

}  // namespace platform::win32
