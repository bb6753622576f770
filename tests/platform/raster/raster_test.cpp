#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include <stb_image_write.h>

#include "platform/picture_file.h"
#include "platform/raster.h"
#include "platform/raster/library_decode.h"
#include "platform/system_error.h"
#include "tests/support/gray_picture.h"

namespace {

using test_support::GrayPicture;

// Each platform matches colours to its greys by its own rule: GDI's may look the colour up
// in a table of 5 bits a channel, so a grey may land up to 4 levels off.
constexpr int k_greyMatchSlack = 4;

TEST(PlatformRaster, DrawsGreysStretchedIntoABottomUpBitmap) {
  struct Case {
    const char* name;
    platform::RgbPicture picture;
    int width, height;
    std::vector<int> indices;  // darkness, bottom row first
  };
  const Case cases[] = {
      {"same size", GrayPicture(2, 2, {255, 0, 128, 64}), 2, 2, {127, 191, 0, 255}},
      {"enlarged", GrayPicture(2, 1, {0, 255}), 4, 2, {255, 255, 0, 0, 255, 255, 0, 0}},
      {"halved, blocks of one grey", GrayPicture(4, 2, {10, 10, 200, 200, 10, 10, 200, 200}), 2, 1, {245, 55}},
  };
  for (const Case& c : cases) {
    platform::GrayBitmap b;
    ASSERT_EQ(platform::PictureDrawGray(c.picture, c.width, c.height, &b), 0) << c.name;
    EXPECT_EQ(b.width, c.width) << c.name;
    EXPECT_EQ(b.height, c.height) << c.name;
    ASSERT_EQ(b.indices.size(), c.indices.size()) << c.name;
    for (std::size_t i = 0; i < c.indices.size(); ++i)
      EXPECT_NEAR(b.indices[i], c.indices[i], k_greyMatchSlack) << c.name << " at " << i;
  }
  platform::GrayBitmap b;
  EXPECT_EQ(platform::PictureDrawGray(GrayPicture(1, 1, {0}), 0, 3, &b), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(platform::PictureDrawGray(platform::RgbPicture(), 3, 3, &b), platform::k_ERROR_INVALID_PARAMETER);
}

void Append(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(context);
  bytes->insert(bytes->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
}

// An 8 x 8 picture, left half black and right half white, written by an independent encoder.
TEST(PlatformRaster, DecodesPngAndJpeg) {
  std::vector<unsigned char> rgb;
  for (int i = 0; i < 64; ++i) rgb.insert(rgb.end(), 3, i % 8 < 4 ? 0 : 255);
  std::vector<unsigned char> png, jpeg;
  ASSERT_NE(stbi_write_png_to_func(Append, &png, 8, 8, 3, rgb.data(), 24), 0);
  ASSERT_NE(stbi_write_jpg_to_func(Append, &jpeg, 8, 8, 3, rgb.data(), 100), 0);
  for (const std::vector<unsigned char>* file : {&png, &jpeg}) {
    platform::RgbPicture p;
    ASSERT_EQ(platform::PictureDecode(file->data(), file->size(), &p), 0);
    ASSERT_EQ(p.width, 8);
    ASSERT_EQ(p.height, 8);
    EXPECT_LT(p.pixels[8 * 7 + 1] & 0xFF, 40u);   // JPEG is near, PNG exact
    EXPECT_GT(p.pixels[8 * 7 + 6] & 0xFF, 215u);
  }
  jpeg.resize(jpeg.size() / 3);
  platform::RgbPicture p;
  EXPECT_EQ(platform::PictureDecode(jpeg.data(), jpeg.size(), &p), platform::k_ERROR_INVALID_DATA);
  EXPECT_EQ(platform::PictureFileRead("no-such-picture.png", &p), platform::k_ERROR_FILE_NOT_FOUND);
}

TEST(PlatformRaster, ReductionKeepsThePictureAtLeastTheBox) {
  struct Case {
    int width, height, boxWidth, boxHeight, factor;
  };
  const Case cases[] = {{4000, 3000, 160, 60, 25}, {10, 10, 0, 0, 1}, {10, 10, 10, 10, 1},
                        {10, 10, 5, 5, 2},        {11, 10, 5, 5, 2}, {3, 3, 8, 8, 1}};
  for (const Case& c : cases)
    EXPECT_EQ(platform::ReductionFactor(c.width, c.height, c.boxWidth, c.boxHeight), c.factor)
        << c.width << "x" << c.height << " in " << c.boxWidth << "x" << c.boxHeight;
}

// A 40 x 20 picture, left half black, for a box of 8 x 4: posix keeps one pixel of every
// 5 x 5 block of the PNG, and lets the library scale the JPEG by 4 (the power of two within
// 5); win32 decodes both whole. All keep the file's size.
TEST(PlatformRaster, DecodesForASmallBoxReducedWithTheFileSizeKept) {
  std::vector<unsigned char> rgb;
  for (int i = 0; i < 40 * 20; ++i) rgb.insert(rgb.end(), 3, i % 40 < 20 ? 0 : 255);
  std::vector<unsigned char> png, jpeg;
  ASSERT_NE(stbi_write_png_to_func(Append, &png, 40, 20, 3, rgb.data(), 120), 0);
  ASSERT_NE(stbi_write_jpg_to_func(Append, &jpeg, 40, 20, 3, rgb.data(), 100), 0);
  struct Case {
    const std::vector<unsigned char>* file;
    int posixWidth, posixHeight;
  };
  for (const Case& c : {Case{&png, 8, 4}, Case{&jpeg, 10, 5}}) {
    platform::RgbPicture p;
    ASSERT_EQ(platform::PictureDecodeForBox(c.file->data(), c.file->size(), 8, 4, &p), 0);
    EXPECT_EQ(platform::PictureFileWidth(p), 40);
    EXPECT_EQ(platform::PictureFileHeight(p), 20);
#ifdef _WIN32
    ASSERT_EQ(p.width, 40);
#else
    ASSERT_EQ(p.width, c.posixWidth);
    ASSERT_EQ(p.height, c.posixHeight);
#endif
    EXPECT_LT(p.pixels[static_cast<std::size_t>(p.width) * (p.height - 1)] & 0xFF, 40u);  // bottom left
    EXPECT_GT(p.pixels[p.width - 1] & 0xFF, 215u);                                       // top right
  }
  // From the file, the PNG read as it is decoded, the same pixels come out.
  const char* path = "decode_for_box_test.png";
  std::FILE* f = std::fopen(path, "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(png.data(), 1, png.size(), f);
  std::fclose(f);
  platform::RgbPicture fromMemory, fromFile;
  ASSERT_EQ(platform::PictureDecodeForBox(png.data(), png.size(), 8, 4, &fromMemory), 0);
  EXPECT_EQ(platform::PictureFileReadForBox(path, 8, 4, &fromFile), 0);
  EXPECT_EQ(fromFile.pixels, fromMemory.pixels);
  EXPECT_EQ(platform::PictureFileWidth(fromFile), 40);
  std::remove(path);
  EXPECT_EQ(platform::PictureFileReadForBox(path, 8, 4, &fromFile), platform::k_ERROR_FILE_NOT_FOUND);
}

// Only what holds for any real monospace font: the cell, no ink in a space, more in a
// full character than in a dot.
TEST(PlatformRaster, MeasuresTheDisplayFont) {
  platform::FontInk ink;
  ASSERT_EQ(platform::MeasureFontInk("Courier New", 9, &ink), 0);
  EXPECT_EQ(ink.cellWidth, 7);
  EXPECT_EQ(ink.cellHeight, 14);
  EXPECT_EQ(ink.pixels[' '], 0);
  EXPECT_GT(ink.pixels['.'], 0);
  EXPECT_GT(ink.pixels[':'], ink.pixels['.']);
  EXPECT_GT(ink.pixels['M'], ink.pixels[':']);
  EXPECT_LE(ink.pixels['M'], 7 * 14);
}

}  // namespace
