#include "glyphora/convert/page_transform.h"

#include "platform/system_error.h"

namespace glyphora {

namespace {

struct Size {
  int width;
  int height;
};

Size TransformedSize(const Page& page, Transform transform) {
  int w = page.width, h = page.height;
  switch (transform) {
    case Transform::RotateRight:
    case Transform::RotateLeft: return Size{h, w};
    case Transform::Explode: return Size{2 * w, h};
    case Transform::Implode: return Size{(w + 1) / 2, h};
    default: return Size{w, h};
  }
}

unsigned char Old(const Page& page, int x, int y) {
  return page.cells[static_cast<std::size_t>(y) * page.width + x];
}

// The cell (x, y) of the transformed page.
unsigned char NewCell(const Page& old, Transform transform, const GrayTable& grays, int x,
                      int y) {
  int w = old.width, h = old.height;
  switch (transform) {
    case Transform::FlipHorizontal: return Old(old, w - 1 - x, y);
    case Transform::FlipVertical: return Old(old, x, h - 1 - y);
    case Transform::RotateRight: return Old(old, y, h - 1 - x);
    case Transform::RotateLeft: return Old(old, w - 1 - y, x);
    case Transform::Rotate180: return Old(old, w - 1 - x, h - 1 - y);
    case Transform::Explode: return x % 2 == 0 ? Old(old, x / 2, y) : k_emptyCell;
    case Transform::Implode:
      if (2 * x + 1 < w && Old(old, 2 * x, y) == k_blankCell) return Old(old, 2 * x + 1, y);
      return Old(old, 2 * x, y);
    case Transform::Invert: return grays.grayChars[255 - grays.charGrays[Old(old, x, y)]];
  }
  return Old(old, x, y);
}

bool Known(Transform transform) {
  int n = static_cast<int>(transform);
  return (n >= 1 && n <= 5) || (n >= 8 && n <= 10);
}

}  // namespace

int PageTransform(Page* page, Transform transform, const GrayTable& grays) {
  if (!Known(transform)) return platform::k_ERROR_INVALID_PARAMETER;
  Size size = TransformedSize(*page, transform);
  Page made;
  int error = PageNew(&made, size.width, size.height);
  if (error != 0) return error;
  for (int y = 0; y < made.height; ++y)
    for (int x = 0; x < made.width; ++x)
      made.cells[static_cast<std::size_t>(y) * made.width + x] = NewCell(*page, transform, grays, x, y);
  PageKill(page);
  *page = made;
  return 0;
}

}  // namespace glyphora
