#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "../page_rows.h"
#include "glyphora/convert/font_grays.h"
#include "glyphora/convert/gray_levels.h"
#include "glyphora/convert/picture_on_page.h"
#include "platform/system_error.h"
#include "tests/support/gray_picture.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;

// A font-independent grey table: ramp " -+#" with inks scaled to 0, 51, 127 and 255, in
// cells 7 wide and 14 high.
GrayTable FixtureGrays() {
  GrayTable t;
  t.charPixels['-'] = 2;
  t.charPixels['+'] = 5;
  t.charPixels['#'] = 10;
  t.fontWidth = 7;
  t.fontHeight = 14;
  EXPECT_EQ(CalculateGrayChars(&t, " -+#"), 0);
  return t;
}

using test_support::GrayPicture;

TEST(GlyphoraGrayLevels, ClipAThirtiethAtEachEnd) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::uint32_t>> counts;
    int low, high;
  };
  const Case cases[] = {
      {"two colours", {{0, 15}, {255, 15}}, 0, 255},
      {"fewer than 30 pixels", {{100, 10}}, 0, 255},
      {"blank: no dark tail", {{0, 60}}, 0, 0},
      {"all black: no light tail", {{255, 60}}, 255, 255},
      {"tails clipped", {{0, 5}, {10, 5}, {50, 280}, {240, 5}, {250, 5}}, 10, 240},
      {"index 0 is never counted from the top", {{0, 50}, {1, 10}}, 0, 1},
  };
  for (const Case& c : cases) {
    std::uint32_t histogram[k_grayCount] = {};
    std::int64_t pixels = 0;
    for (const auto& [index, count] : c.counts) histogram[index] = count, pixels += count;
    GrayLevels levels = FindGrayLevels(histogram, pixels);
    EXPECT_EQ(levels.low, c.low) << c.name;
    EXPECT_EQ(levels.high, c.high) << c.name;
  }
}

TEST(GlyphoraGrayLevels, MapStretchesBetweenTheLevelsOrKeepsTheGrey) {
  struct Case {
    GrayLevels levels;
    int index, value;
  };
  const Case cases[] = {
      {{10, 240}, 9, 0},     {{10, 240}, 10, 0},    {{10, 240}, 125, 127}, {{10, 240}, 239, 253},
      {{10, 240}, 240, 255}, {{10, 240}, 255, 255}, {{0, 0}, 0, 0},        {{0, 0}, 77, 77},
      {{255, 255}, 254, 254}, {{200, 100}, 150, 150},
  };
  for (const Case& c : cases) {
    unsigned char map[k_grayCount];
    GrayLevelMap(c.levels, map);
    EXPECT_EQ(map[c.index], c.value) << c.levels.low << ".." << c.levels.high << " at " << c.index;
  }
}

TEST(GlyphoraPictureOnPage, CellsByScalingMode) {
  struct Case {
    PictureScaling scaling;
    int sourceWidth, sourceHeight, width, height;
  };
  const Case cases[] = {
      {PictureScaling::Direct, 40, 10, 20, 5},      {PictureScaling::Direct, 4, 2, 4, 2},
      {PictureScaling::Proportional, 40, 10, 20, 2}, {PictureScaling::Proportional, 8, 8, 8, 4},
      {PictureScaling::Proportional, 8, 1, 8, 0},    {PictureScaling::Free, 40, 10, 20, 10},
      {PictureScaling::Free, 2, 2, 20, 10},
  };
  for (const Case& c : cases) {
    int w = -1, h = -1;
    PictureCells(20, 10, c.sourceWidth, c.sourceHeight, c.scaling, FixtureGrays(), &w, &h);
    EXPECT_EQ(w, c.width) << static_cast<int>(c.scaling) << ": " << c.sourceWidth << "x" << c.sourceHeight;
    EXPECT_EQ(h, c.height) << static_cast<int>(c.scaling) << ": " << c.sourceWidth << "x" << c.sourceHeight;
  }
}

TEST(GlyphoraPictureOnPage, SmallPictureSitsUnscaledInTheMiddle) {
  ScopedPage page({"......", "......", "......", "......"});
  // Darkness 0, 255, 127, 0 / 255, 255, 0, 191; under 30 pixels nothing is clipped.
  ASSERT_EQ(PictureOnPage(&page.page, GrayPicture(4, 2, {255, 0, 128, 255, 0, 0, 255, 64}), PictureScaling::Direct,
                          FixtureGrays()),
            0);
  EXPECT_EQ(RowsOf(page.page), (std::vector<std::string>{"......", ". #+ .", ".## +.", "......"}));
}

// A picture decoded reduced (4 x 2 kept of a 40 x 20 file) is fitted by the file's size:
// 8 x 4 cells, as the whole file would take, not 4 x 2 left unscaled.
TEST(GlyphoraPictureOnPage, ReducedPictureIsFittedByTheFileSize) {
  ScopedPage page({"..........", "..........", "..........", ".........."});
  platform::RgbPicture picture = GrayPicture(4, 2, {0, 0, 255, 255, 0, 0, 255, 255});
  picture.fileWidth = 40;
  picture.fileHeight = 20;
  ASSERT_EQ(PictureOnPage(&page.page, picture, PictureScaling::Direct, FixtureGrays()), 0);
  EXPECT_EQ(RowsOf(page.page), std::vector<std::string>(4, ".####    ."));
}

TEST(GlyphoraPictureOnPage, TwoColoursBecomeTheLightestAndDarkestCharacters) {
  std::vector<int> grays;
  for (int i = 0; i < 60; ++i) grays.push_back(i % 10 % 3 == 0 ? 100 : 200);  // two mid greys
  ScopedPage box(std::vector<std::string>(6, ".........."));
  ASSERT_EQ(PictureOnPage(&box.page, GrayPicture(10, 6, grays), PictureScaling::Free, FixtureGrays()), 0);
  for (const std::string& row : RowsOf(box.page)) EXPECT_EQ(row, "#  #  #  #") << row;
}

TEST(GlyphoraPictureOnPage, GradientUsesEveryRampCharacterInOrder) {
  std::vector<int> grays;
  for (int i = 0; i < 256; ++i) grays.push_back(255 - i);
  ScopedPage page(std::vector<std::string>(1, std::string(256, '.')));
  ASSERT_EQ(PictureOnPage(&page.page, GrayPicture(256, 1, grays), PictureScaling::Direct, FixtureGrays()), 0);
  std::string row = RowsOf(page.page)[0];
  std::string seen;
  for (char c : row)
    if (seen.empty() || seen.back() != c) seen += c;
  EXPECT_EQ(seen, " -+#");
}

TEST(GlyphoraPictureOnPage, NothingDrawnOrRefused) {
  ScopedPage page({"xxxx", "xxxx"});
  GrayTable grays = FixtureGrays();
  EXPECT_EQ(PictureOnPage(&page.page, GrayPicture(8, 1, std::vector<int>(8, 0)), PictureScaling::Proportional, grays), 0);
  EXPECT_EQ(PictureOnPage(&page.page, GrayPicture(2, 2, {0, 0, 0, 0}), static_cast<PictureScaling>(3), grays),
            platform::k_ERROR_INVALID_PARAMETER);
  grays.fontHeight = 0;
  EXPECT_EQ(PictureOnPage(&page.page, GrayPicture(2, 2, {0, 0, 0, 0}), PictureScaling::Proportional, grays),
            platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RowsOf(page.page), (std::vector<std::string>{"xxxx", "xxxx"}));
}

// The real display font: only what any font gives (the ramp's ordering), not exact inks.
TEST(GlyphoraFontGrays, RealFontOrdersTheRamp) {
  GrayTable t;
  ASSERT_EQ(CalculateFontGrays(&t, k_defaultFontFace, k_defaultFontSize), 0);
  EXPECT_EQ(t.fontWidth, 7);
  EXPECT_EQ(t.fontHeight, 14);
  EXPECT_EQ(t.charGrays[' '], 0);
  ASSERT_EQ(CalculateGrayChars(&t, k_defaultRamp), 0);
  EXPECT_EQ(t.grayChars[0], ' ');
  for (int g = 1; g < k_charCount; ++g) EXPECT_GE(t.charPixels[t.grayChars[g]], t.charPixels[t.grayChars[g - 1]]) << g;
  GrayTable largest;
  ASSERT_EQ(CalculateFontGrays(&largest, k_defaultFontFace, 99), 0);  // held to 14 points
  GrayTable fourteen;
  ASSERT_EQ(CalculateFontGrays(&fourteen, k_defaultFontFace, k_maxFontSize), 0);
  EXPECT_EQ(largest.fontHeight, fourteen.fontHeight);
  EXPECT_GT(fourteen.fontHeight, t.fontHeight);
}

}  // namespace
