#include "glyphora/convert/clip_picture.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/system_error.h"

namespace {

void Put(std::vector<unsigned char>& b, std::size_t at, int width, std::uint32_t value) {
  for (int i = 0; i < width; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<unsigned char>(value >> (8 * i));
}

// A 2 x 2 clipboard bitmap: 24 bits a pixel, or 8 bits with a two-colour table.
std::vector<unsigned char> Dib(int bits) {
  std::size_t table = bits == 8 ? 2 * 4 : 0;
  std::size_t row = bits == 8 ? 4 : 8;  // rows are padded to four bytes
  std::vector<unsigned char> b(40 + table + 2 * row, 0);
  Put(b, 0, 4, 40);
  Put(b, 4, 4, 2);
  Put(b, 8, 4, 2);
  Put(b, 12, 2, 1);
  Put(b, 14, 2, static_cast<std::uint32_t>(bits));
  if (bits == 8) {
    Put(b, 32, 4, 2);
    Put(b, 40, 4, 0x00FF0000);  // index 0 red (stored B, G, R, 0)
    Put(b, 44, 4, 0x000000FF);  // index 1 blue
    b[48] = 1;  // bottom row: blue, red
    b[52] = 0;  // top row: red, blue
    b[53] = 1;
  } else {
    unsigned char* p = &b[40];
    p[0] = 0xFF;  // bottom-left blue
    p[5] = 0xFF;  // bottom-right red (B, G, R)
    p[row + 1] = 0xFF;  // top-left green
  }
  return b;
}

TEST(ClipPicture, BitmapsOfTheClipboardDecodeAsFilesWould) {
  platform::RgbPicture picture;
  std::vector<unsigned char> dib24 = Dib(24);
  ASSERT_EQ(glyphora::ClipBitmapToPicture(dib24.data(), dib24.size(), &picture), 0);
  ASSERT_EQ(picture.width, 2);
  ASSERT_EQ(picture.height, 2);
  EXPECT_EQ(picture.pixels[0], 0x00FF00u);  // top-left green
  EXPECT_EQ(picture.pixels[2], 0x0000FFu);  // bottom-left blue
  EXPECT_EQ(picture.pixels[3], 0xFF0000u);  // bottom-right red
  std::vector<unsigned char> dib8 = Dib(8);
  ASSERT_EQ(glyphora::ClipBitmapToPicture(dib8.data(), dib8.size(), &picture), 0);
  EXPECT_EQ(picture.pixels, (std::vector<std::uint32_t>{0xFF0000u, 0x0000FFu, 0x0000FFu, 0xFF0000u}));
  EXPECT_EQ(glyphora::ClipBitmapToPicture(dib8.data(), 39, &picture), platform::k_ERROR_INVALID_DATA);
}

}  // namespace
