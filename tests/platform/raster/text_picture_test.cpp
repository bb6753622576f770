#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/raster.h"
#include "platform/system_error.h"

namespace {

#ifdef _WIN32
// The first and last inked columns of the top rows (the first of two lines), -1 when none.
std::pair<int, int> InkColumns(const platform::RgbPicture& p, int rows) {
  int first = -1, last = -1;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < p.width; ++x)
      if ((p.pixels[static_cast<std::size_t>(y) * p.width + x] & 0xFFFFFF) == 0) {
        if (first < 0 || x < first) first = x;
        last = std::max(last, x);
      }
  return {first, last};
}
#endif

TEST(PlatformRaster, TextIsDrawnBlackOnWhiteByItsAlignmentOnWindowsAndRefusedElsewhere) {
  platform::TextFont font;
  font.face = "Arial";
  font.height = 20;
  platform::RgbPicture picture;
#ifdef _WIN32
  const platform::TextAlign aligns[] = {platform::TextAlign::Left, platform::TextAlign::Centre,
                                        platform::TextAlign::Right};
  for (platform::TextAlign align : aligns) {  // where the short first line sits over the long one
    ASSERT_EQ(platform::DrawTextPicture("i\r\nWWWW", font, align, 500, 500, &picture), 0);
    ASSERT_GE(picture.height, 2 * font.height);
    ASSERT_GT(picture.width, 3 * font.height);
    auto [first, last] = InkColumns(picture, picture.height / 2);
    ASSERT_GE(first, 0);
    int third = (first + last) * 3 / (2 * picture.width);  // 0 left, 1 middle, 2 right
    EXPECT_EQ(third, static_cast<int>(align)) << first << ".." << last << " of " << picture.width;
  }
  ASSERT_EQ(platform::DrawTextPicture("WWWW", font, platform::TextAlign::Left, 10, 5, &picture), 0);
  EXPECT_EQ(picture.width * 100 + picture.height, 1005);  // cut to the largest size asked
  font.height = 0;
  EXPECT_EQ(platform::DrawTextPicture("W", font, platform::TextAlign::Left, 10, 5, &picture),
            platform::k_ERROR_INVALID_PARAMETER);
#else
  EXPECT_EQ(platform::DrawTextPicture("W", font, platform::TextAlign::Left, 10, 5, &picture),
            platform::k_ERROR_NOT_SUPPORTED);
#endif
}

}  // namespace
