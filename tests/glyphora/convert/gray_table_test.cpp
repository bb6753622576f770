#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "glyphora/convert/gray_table.h"
#include "glyphora/convert/scale_size.h"
#include "platform/system_error.h"

namespace {

using namespace glyphora;

TEST(GlyphoraGrayTable, CharGraysSpreadTheInkOverTheFont) {
  GrayTable t;
  EXPECT_EQ(CalculateCharGrays(&t), platform::k_ERROR_INVALID_DATA);  // every character alike
  t.charPixels['A'] = 10;
  t.charPixels['B'] = 5;
  t.charPixels['C'] = -2;
  ASSERT_EQ(CalculateCharGrays(&t), 0);
  EXPECT_EQ(t.charGrays['A'], 255);
  EXPECT_EQ(t.charGrays['B'], 7 * 255 / 12);
  EXPECT_EQ(t.charGrays['C'], 0);
  EXPECT_EQ(t.charGrays[0], 2 * 255 / 12);
}

TEST(GlyphoraGrayTable, GrayCharsPickTheNearestRampCharacterFirstOnATie) {
  GrayTable t;
  t.charPixels['.'] = 4;  // scaled over the ramp: 102
  t.charPixels['x'] = 4;  // as dark as '.', later in the ramp: never chosen
  t.charPixels['#'] = 10;
  t.charPixels['Q'] = 99;  // not in the ramp: does not widen the scale
  ASSERT_EQ(CalculateGrayChars(&t, " .x#"), 0);
  struct Case {
    int gray;
    char chosen;
  };
  const Case cases[] = {{0, ' '}, {51, ' '}, {52, '.'}, {102, '.'}, {178, '.'}, {179, '#'}, {255, '#'}};
  for (const Case& c : cases) EXPECT_EQ(t.grayChars[c.gray], c.chosen) << c.gray;
  EXPECT_EQ(std::count(t.grayChars, t.grayChars + 256, 'x'), 0);
}

TEST(GlyphoraGrayTable, RampWithoutTwoDarknessesIsRefused) {
  GrayTable t;
  t.charPixels['a'] = 3;
  t.charPixels['b'] = 3;
  t.grayChars[7] = 'k';
  for (const char* ramp : {"", "a", "ab", "aaa"}) {
    EXPECT_EQ(CalculateGrayChars(&t, ramp), platform::k_ERROR_INVALID_DATA) << ramp;
    EXPECT_EQ(t.grayChars[7], 'k');
  }
}

TEST(GlyphoraScaleSize, FitsWithoutEnlarging) {
  struct Case {
    int boxWidth, boxHeight, sourceWidth, sourceHeight, width, height;
  };
  const Case cases[] = {
      {10, 10, 4, 3, 4, 3},  {10, 10, 20, 10, 10, 5}, {10, 4, 20, 10, 8, 4},
      {7, 7, 3, 10, 2, 7},   {10, 10, 0, 0, 0, 0},    {10, 10, -5, 4, 0, 0},
      {500, 16000, 1000, 1000, 500, 500},
  };
  for (const Case& c : cases) {
    int w = c.boxWidth, h = c.boxHeight;
    ScaleSize(&w, &h, c.sourceWidth, c.sourceHeight);
    EXPECT_EQ(w, c.width) << c.sourceWidth << "x" << c.sourceHeight;
    EXPECT_EQ(h, c.height) << c.sourceWidth << "x" << c.sourceHeight;
  }
}

}  // namespace
