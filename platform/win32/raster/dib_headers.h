// Headers of the 1-bit device-independent bitmaps the raster calls draw into.
#pragma once

#include <windows.h>

namespace platform::win32 {

// A 1-bit DIB header whose palette entry 0 is white and entry 1 black.
struct MonoInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

// height < 0: rows top-down.
inline MonoInfo MonoHeader(int width, int height) {
  MonoInfo info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = width;
  info.header.biHeight = height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colours[0] = RGBQUAD{255, 255, 255, 0};
  info.colours[1] = RGBQUAD{0, 0, 0, 0};
  return info;
}

// Bytes in one row of a 1-bit DIB (rows are whole 32-bit words).
inline int MonoStride(int width) { return (width + 31) / 32 * 4; }

}  // namespace platform::win32
