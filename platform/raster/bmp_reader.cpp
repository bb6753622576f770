#include "platform/raster/bmp_reader.h"

#include <algorithm>
#include <cstdint>

#include "platform/system_error.h"

namespace platform {

namespace {

constexpr std::size_t k_fileHeaderSize = 14;
constexpr std::size_t k_infoHeaderSize = 40;
constexpr std::uint32_t k_plainCompression = 0;  // BI_RGB
constexpr std::uint32_t k_maskCompression = 3;   // BI_BITFIELDS

std::uint32_t Read16(const unsigned char* p) { return p[0] | (p[1] << 8); }
std::uint32_t Read32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// One channel taken out of a pixel by its mask and widened to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(std::uint32_t m) : mask(m) {
    if (m == 0) return;
    while (((m >> shift) & 1) == 0) ++shift;
    while (bits < 32 - shift && ((m >> (shift + bits)) & 1) != 0) ++bits;
  }
  std::uint32_t Take(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    std::uint64_t v = (pixel & mask) >> shift;
    std::uint64_t top = (std::uint64_t{1} << bits) - 1;  // a mask may cover all 32 bits
    return static_cast<std::uint32_t>(v * 255 / top);
  }
};

struct Layout {
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows top-down
  int bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t pixelOffset = 0;
  std::uint32_t headerSize = 0;
  std::uint32_t paletteCount = 0;
  Channel red{0}, green{0}, blue{0};
};

bool ReadLayout(const unsigned char* bytes, std::size_t size, Layout* layout) {
  if (size < k_fileHeaderSize + k_infoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return false;
  const unsigned char* info = bytes + k_fileHeaderSize;
  layout->pixelOffset = Read32(bytes + 10);
  layout->headerSize = Read32(info);
  layout->width = static_cast<std::int32_t>(Read32(info + 4));
  layout->height = static_cast<std::int32_t>(Read32(info + 8));
  layout->bits = static_cast<int>(Read16(info + 14));
  layout->compression = Read32(info + 16);
  layout->paletteCount = Read32(info + 32);
  if (layout->headerSize < k_infoHeaderSize || layout->headerSize > size - k_fileHeaderSize) return false;
  return Read16(info + 12) == 1;
}

// The colour masks: given after the header (or inside a larger one), else the defaults.
bool ReadMasks(const unsigned char* bytes, std::size_t size, Layout* layout) {
  std::uint32_t r = 0xFF0000, g = 0xFF00, b = 0xFF;
  if (layout->bits == 16) r = 0x7C00, g = 0x3E0, b = 0x1F;
  if (layout->compression == k_maskCompression) {
    if (layout->bits != 16 && layout->bits != 32) return false;
    std::size_t at = k_fileHeaderSize + k_infoHeaderSize;
    if (size < at + 12) return false;
    r = Read32(bytes + at), g = Read32(bytes + at + 4), b = Read32(bytes + at + 8);
  } else if (layout->compression != k_plainCompression) {
    return false;
  }
  layout->red = Channel(r), layout->green = Channel(g), layout->blue = Channel(b);
  return true;
}

std::uint32_t PaletteColour(const unsigned char* palette, std::uint32_t count, std::uint32_t index) {
  if (index >= count) return 0;  // an index past the palette: black
  const unsigned char* e = palette + 4 * index;
  return (std::uint32_t{e[2]} << 16) | (std::uint32_t{e[1]} << 8) | e[0];
}

// The colour of pixel x in a stored row.
std::uint32_t RowPixel(const Layout& l, const unsigned char* row, int x, const unsigned char* palette,
                       std::uint32_t paletteCount) {
  switch (l.bits) {
    case 1: return PaletteColour(palette, paletteCount, (row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return PaletteColour(palette, paletteCount, (row[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 15);
    case 8: return PaletteColour(palette, paletteCount, row[x]);
    case 24: return (std::uint32_t{row[3 * x + 2]} << 16) | (std::uint32_t{row[3 * x + 1]} << 8) | row[3 * x];
    default: break;
  }
  std::uint32_t v = l.bits == 16 ? Read16(row + 2 * x) : Read32(row + 4 * x);
  return (l.red.Take(v) << 16) | (l.green.Take(v) << 8) | l.blue.Take(v);
}

}  // namespace

int BmpDecode(const unsigned char* bytes, std::size_t size, RgbPicture* picture) {
  Layout l;
  if (!ReadLayout(bytes, size, &l) || !ReadMasks(bytes, size, &l)) return k_ERROR_INVALID_DATA;
  bool knownDepth = l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 16 || l.bits == 24 || l.bits == 32;
  if (!knownDepth || l.width <= 0 || l.height == 0 || l.height == INT32_MIN) return k_ERROR_INVALID_DATA;
  std::size_t width = static_cast<std::size_t>(l.width);
  std::size_t height = static_cast<std::size_t>(l.height < 0 ? -static_cast<std::int64_t>(l.height) : l.height);
  if (width > k_maxPicturePixels / height) return k_ERROR_NOT_ENOUGH_MEMORY;
  // Palette entries follow the header; zero means the full 2^bits.
  const unsigned char* palette = bytes + k_fileHeaderSize + l.headerSize;
  std::uint32_t paletteCount = l.bits <= 8 ? (l.paletteCount != 0 ? l.paletteCount : 1u << l.bits) : 0;
  std::size_t paletteEnd = k_fileHeaderSize + l.headerSize;
  std::size_t paletteRoom = l.pixelOffset > paletteEnd ? (std::min<std::size_t>(l.pixelOffset, size) - paletteEnd) / 4 : 0;
  if (paletteCount > paletteRoom) paletteCount = static_cast<std::uint32_t>(paletteRoom);
  std::size_t stride = (width * static_cast<std::size_t>(l.bits) + 31) / 32 * 4;
  if (l.pixelOffset > size || stride > (size - l.pixelOffset) / height) return k_ERROR_INVALID_DATA;
  picture->width = static_cast<int>(width);
  picture->height = static_cast<int>(height);
  picture->pixels.assign(width * height, 0);
  for (std::size_t y = 0; y < height; ++y) {
    std::size_t stored = l.height < 0 ? y : height - 1 - y;
    const unsigned char* row = bytes + l.pixelOffset + stored * stride;
    for (std::size_t x = 0; x < width; ++x)
      picture->pixels[y * width + x] = RowPixel(l, row, static_cast<int>(x), palette, paletteCount);
  }
  return 0;
}

}  // namespace platform
