// The 8-bit grey DIB section pictures and metafiles are drawn into: palette index i is
// the grey 255 - i, rows bottom-up.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/raster.h"

namespace platform::win32 {

// Makes a width x height grey section in a memory DC, fills it white, lets draw paint on
// the DC and copies the indices into bitmap. 0, draw's error or the system's.
int DrawOnGraySection(int width, int height, GrayBitmap* bitmap, const std::function<int(HDC)>& draw);

}  // namespace platform::win32
