#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/picture_file.h"
#include "platform/raster/bmp_reader.h"
#include "platform/system_error.h"

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes* b, std::uint32_t v) {
  for (int i = 0; i < 2; ++i) b->push_back(static_cast<unsigned char>(v >> (8 * i)));
}
void Put32(Bytes* b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b->push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// A BMP file: the headers, then extra (palette or masks), then the stored rows as given.
Bytes MakeBmp(int width, int height, int bits, std::uint32_t compression, const Bytes& extra, const Bytes& rows) {
  Bytes b = {'B', 'M'};
  Put32(&b, static_cast<std::uint32_t>(54 + extra.size() + rows.size()));
  Put32(&b, 0);
  Put32(&b, static_cast<std::uint32_t>(54 + extra.size()));
  for (std::uint32_t v : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)}) Put32(&b, v);
  Put16(&b, 1);
  Put16(&b, static_cast<std::uint32_t>(bits));
  for (std::uint32_t v : {compression, static_cast<std::uint32_t>(rows.size()), 2835u, 2835u, 0u, 0u}) Put32(&b, v);
  b.insert(b.end(), extra.begin(), extra.end());
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

const Bytes k_twoColours = {0x00, 0x00, 0xFF, 0,  0xFF, 0x00, 0x00, 0};  // red, blue

TEST(PlatformBmpReader, DecodesEveryDepthTheTopRowFirst) {
  struct Case {
    const char* name;
    int height, bits;
    std::uint32_t compression;
    Bytes extra, rows;
    std::vector<std::uint32_t> pixels;  // 2 wide, top row first
  };
  const Case cases[] = {
      {"1 bit", 2, 1, 0, k_twoColours, {0x40, 0, 0, 0, 0x80, 0, 0, 0}, {0x0000FF, 0xFF0000, 0xFF0000, 0x0000FF}},
      {"4 bits", 1, 4, 0, k_twoColours, {0x10, 0, 0, 0}, {0x0000FF, 0xFF0000}},
      {"8 bits, index past the palette", 1, 8, 0, k_twoColours, {1, 7, 0, 0}, {0x0000FF, 0}},
      {"24 bits", 1, 24, 0, {}, {1, 2, 3, 4, 5, 6, 0, 0}, {0x030201, 0x060504}},
      {"24 bits top-down", -2, 24, 0, {}, {1, 2, 3, 0, 0, 0, 0, 0, 9, 9, 9, 0, 0, 0, 0, 0},
       {0x030201, 0, 0x090909, 0}},
      {"32 bits", 1, 32, 0, {}, {1, 2, 3, 99, 4, 5, 6, 99}, {0x030201, 0x060504}},
      {"16 bits 5-5-5", 1, 16, 0, {}, {0x1F, 0x00, 0x00, 0x7C}, {0x0000FF, 0xFF0000}},
      {"16 bits 5-6-5 masks", 1, 16, 3, {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, {0xE0, 0x07, 0, 0},
       {0x00FF00, 0}},
      {"32 bits, a mask of the whole word", 1, 32, 3, {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0},
       {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0}, {0xFF0000, 0}},
  };
  for (const Case& c : cases) {
    platform::RgbPicture p;
    Bytes file = MakeBmp(2, c.height, c.bits, c.compression, c.extra, c.rows);
    ASSERT_EQ(platform::PictureDecode(file.data(), file.size(), &p), 0) << c.name;
    EXPECT_EQ(p.width, 2) << c.name;
    EXPECT_EQ(p.height, c.height < 0 ? -c.height : c.height) << c.name;
    EXPECT_EQ(p.pixels, c.pixels) << c.name;
  }
}

TEST(PlatformBmpReader, RefusesWhatItCannotRead) {
  const Bytes row = {1, 2, 3, 0};
  Bytes truncated = MakeBmp(1, 4, 24, 0, {}, row);
  Bytes headerCut = MakeBmp(1, 1, 24, 0, {}, row);
  headerCut.resize(40);
  Bytes wrongPlanes = MakeBmp(1, 1, 24, 0, {}, row);
  wrongPlanes[26] = 2;
  struct Case {
    const char* name;
    Bytes file;
    int error;
  };
  const Case cases[] = {
      {"no signature", {'X', 'Y', 0, 0}, platform::k_ERROR_INVALID_DATA},
      {"header cut short", headerCut, platform::k_ERROR_INVALID_DATA},
      {"rows cut short", truncated, platform::k_ERROR_INVALID_DATA},
      {"two planes", wrongPlanes, platform::k_ERROR_INVALID_DATA},
      {"no width", MakeBmp(0, 1, 24, 0, {}, row), platform::k_ERROR_INVALID_DATA},
      {"no height", MakeBmp(1, 0, 24, 0, {}, row), platform::k_ERROR_INVALID_DATA},
      {"7 bits", MakeBmp(1, 1, 7, 0, {}, row), platform::k_ERROR_INVALID_DATA},
      {"run-length coded", MakeBmp(1, 1, 8, 1, {}, row), platform::k_ERROR_INVALID_DATA},
      {"masks on 24 bits", MakeBmp(1, 1, 24, 3, Bytes(12, 0xFF), row), platform::k_ERROR_INVALID_DATA},
      {"too many pixels", MakeBmp(65536, 65536, 1, 0, {}, row), platform::k_ERROR_NOT_ENOUGH_MEMORY},
      {"neither BMP, PNG nor JPEG", {'G', 'I', 'F', '8', '9', 'a'}, platform::k_ERROR_INVALID_DATA},
      {"PNG signature only", {0x89, 'P', 'N', 'G', 13, 10, 26, 10}, platform::k_ERROR_INVALID_DATA},
  };
  for (const Case& c : cases) {
    platform::RgbPicture p;
    EXPECT_EQ(platform::PictureDecode(c.file.data(), c.file.size(), &p), c.error) << c.name;
  }
}

}  // namespace
