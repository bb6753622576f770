#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "tests/platform/raster/mono_rows.h"

namespace {

using raster_test::Mono;
using raster_test::Rows;

// Pixels both platforms agree on: the ends of the axes are ink, the centre and the
// corners are paper; a thicker pen reaches further in.
TEST(PlatformRaster, EllipseOutlinesTouchTheFrameAndLeaveTheInside) {
  struct Case {
    int width, height, logicalWidth, logicalHeight, pen;
    std::vector<std::pair<int, int>> black, white;
  };
  const Case cases[] = {
      {20, 10, 20, 10, 1, {{0, 5}, {19, 5}, {10, 0}, {10, 9}}, {{10, 5}, {0, 0}, {19, 9}, {2, 5}}},
      {20, 10, 20, 10, 3, {{2, 5}, {17, 5}, {10, 2}}, {{10, 5}, {0, 0}, {5, 5}}},
      {10, 10, 40, 20, 4, {{0, 5}, {9, 5}, {5, 0}, {5, 9}}, {{5, 5}, {0, 0}, {9, 9}, {2, 5}}},
  };
  for (const Case& c : cases) {
    platform::MonoBitmap b = Mono(std::vector<std::string>(static_cast<std::size_t>(c.height), std::string(c.width, '.')));
    ASSERT_EQ(platform::DrawEllipseOutline(&b, c.logicalWidth, c.logicalHeight, c.pen), 0);
    std::vector<std::string> rows = Rows(b);
    for (auto [x, y] : c.black) EXPECT_EQ(rows[y][x], '#') << x << "," << y << " pen " << c.pen;
    for (auto [x, y] : c.white) EXPECT_EQ(rows[y][x], '.') << x << "," << y << " pen " << c.pen;
  }
  platform::MonoBitmap b = Mono({"..."});
  EXPECT_EQ(platform::DrawEllipseOutline(&b, 3, 1, 0), platform::k_ERROR_INVALID_PARAMETER);
}

}  // namespace
