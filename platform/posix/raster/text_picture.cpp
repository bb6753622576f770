// Text is drawn by the Windows build only (the big-text tool is a window's): refused
// plainly here.
#include "platform/raster.h"
#include "platform/system_error.h"

namespace platform {

int DrawTextPicture(const std::string&, const TextFont&, TextAlign, int, int, RgbPicture*) {
  return k_ERROR_NOT_SUPPORTED;
}

}  // namespace platform
