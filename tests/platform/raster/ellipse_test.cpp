#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "tests/platform/raster/mono_rows.h"

namespace {

using raster_test::Mono;
using raster_test::Rows;
using Picture = std::vector<std::string>;

Picture Blank(int width, int height) { return Picture(height, std::string(width, '.')); }

// The pixels GDI draws (checked under Wine) for pens that map to one pixel; both
// platforms must give exactly these.
TEST(PlatformRaster, EllipsesOfAOnePixelPenGiveTheSystemsPixels) {
  struct Case {
    const char* name;
    Picture before;
    int logicalWidth, logicalHeight, pen;
    Picture after;
  };
  const Case cases[] = {
      {"wide", Blank(20, 10), 20, 10, 1,
       {"......########......", "...###........###...", "..#..............#..", ".#................#.", "#..................#",
        "#..................#", ".#................#.", "..#..............#..", "...###........###...", "......########......"}},
      {"scaled by half", Blank(20, 10), 40, 20, 2,
       {"......########......", "...###........###...", "..#..............#..", ".#................#.", "#..................#",
        "#..................#", ".#................#.", "..#..............#..", "...###........###...", "......########......"}},
      {"a third, pen rounded down", Blank(15, 7), 45, 21, 4,
       {"....#######....", "..##.......##..", "##...........##", "#.............#", "##...........##", "..##.......##..",
        "....#######...."}},
      {"round, odd", Blank(9, 9), 9, 9, 1,
       {"...###...", ".##...##.", ".#.....#.", "#.......#", "#.......#", "#.......#", ".#.....#.", ".##...##.", "...###..."}},
      {"small", Blank(7, 5), 7, 5, 1, {"..###..", "##...##", "#.....#", "##...##", "..###.."}},
      {"inside kept", {"...", ".#.", "..."}, 3, 3, 1, {".#.", "###", ".#."}},
      {"even width", Blank(4, 3), 4, 3, 1, {".##.", "#..#", ".##."}},
      {"narrow and tall: no tips", Blank(3, 8), 3, 8, 1, {"...", ".#.", "#.#", "#.#", "#.#", "#.#", ".#.", "..."}},
      {"two rows: solid", Blank(5, 2), 5, 2, 1, {"#####", "#####"}},
      {"one column: solid", Blank(1, 4), 1, 4, 1, {"#", "#", "#", "#"}},
      {"one pixel: nothing", Blank(1, 1), 1, 1, 1, {"."}},
  };
  for (const Case& c : cases) {
    platform::MonoBitmap b = Mono(c.before);
    ASSERT_EQ(platform::DrawEllipseOutline(&b, c.logicalWidth, c.logicalHeight, c.pen), 0) << c.name;
    EXPECT_EQ(Rows(b), c.after) << c.name;
  }
  platform::MonoBitmap b = Mono(Blank(3, 3));
  EXPECT_EQ(platform::DrawEllipseOutline(&b, 0, 3, 1), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(platform::DrawEllipseOutline(&b, 3, 3, 0), platform::k_ERROR_INVALID_PARAMETER);
  platform::MonoBitmap huge;  // only its size is read
  huge.width = platform::k_largestEllipse + 1;
  huge.height = 1;
  EXPECT_EQ(platform::DrawEllipseOutline(&huge, 3, 3, 1), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Rows(b), Blank(3, 3));
}

// A wide pen covers at least its width across at the ends of the middle row and its
// height down at the ends of the middle column, and leaves the middle and the corners
// white. GDI under Wine widens the pen its own way; posix gives the exact band.
TEST(PlatformRaster, WideEllipsePensCoverTheirWidthAtTheSides) {
  struct Case {
    int width, height, logicalWidth, logicalHeight, pen;
    int across, down;  // the pen in pixels
  };
  const Case cases[] = {{11, 9, 11, 18, 2, 2, 1}, {20, 10, 40, 30, 6, 3, 2}, {9, 9, 18, 18, 4, 2, 2}, {12, 12, 12, 12, 3, 3, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " pen " << c.pen);
    platform::MonoBitmap b = Mono(Blank(c.width, c.height));
    ASSERT_EQ(platform::DrawEllipseOutline(&b, c.logicalWidth, c.logicalHeight, c.pen), 0);
    Picture rows = Rows(b);
    const std::string& middle = rows[c.height / 2];
    EXPECT_EQ(middle.substr(0, c.across), std::string(c.across, '#'));
    EXPECT_EQ(middle.substr(c.width - c.across), std::string(c.across, '#'));
    for (int y = 0; y < c.down; ++y) {
      EXPECT_EQ(rows[y][c.width / 2], '#') << "row " << y;
      EXPECT_EQ(rows[c.height - 1 - y][c.width / 2], '#') << "row " << c.height - 1 - y;
    }
    EXPECT_EQ(middle[c.width / 2], '.');
    EXPECT_EQ(rows[0][0], '.');
    EXPECT_EQ(rows[c.height - 1][c.width - 1], '.');
  }
#ifndef _WIN32
  platform::MonoBitmap b = Mono(Blank(20, 10));
  ASSERT_EQ(platform::DrawEllipseOutline(&b, 40, 30, 6), 0);
  EXPECT_EQ(Rows(b), Picture({"......########......", "...##############...", "..####........####..", ".###............###.",
                              "###..............###", "###..............###", ".###............###.", "..####........####..",
                              "...##############...", "......########......"}));
#endif
}

}  // namespace
