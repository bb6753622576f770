#include "glyphora/tools/raster_seam.h"

#include <cstddef>
#include <cstring>

#include "platform/system_error.h"

namespace glyphora {

int MonoBitmapNew(MonoBitmap* bitmap, int width, int height) {
  if (width < 0 || height < 0) return platform::k_ERROR_INVALID_PARAMETER;
  std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  void* pixels = Allocate(count);
  if (pixels == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  std::memset(pixels, k_white, count);
  bitmap->width = width;
  bitmap->height = height;
  bitmap->pixels = static_cast<unsigned char*>(pixels);
  return 0;
}

void MonoBitmapKill(MonoBitmap* bitmap) {
  Destroy(bitmap->pixels);
  *bitmap = MonoBitmap();
}

}  // namespace glyphora
