#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/raster.h"
#include "platform/system_error.h"
#include "tests/platform/raster/mono_rows.h"

namespace {

using raster_test::Mono;
using raster_test::Rows;

// Every direction passes halfway between pixels at every other step; such a step takes
// the smaller minor coordinate on both platforms.
TEST(PlatformRaster, LinesLeaveOutTheirEndAndAgreeOnHalfwaySteps) {
  struct Case {
    const char* name;
    int width, height, x0, y0, x1, y1;
    std::vector<std::string> rows;
  };
  const Case cases[] = {
      {"flat", 5, 1, 0, 0, 4, 0, {"####."}},
      {"x-major right down", 9, 5, 4, 2, 8, 4, {".........", ".........", "....##...", "......##.", "........."}},
      {"x-major left down", 9, 5, 4, 2, 0, 4, {".........", ".........", "...##....", ".##......", "........."}},
      {"x-major right up", 9, 5, 4, 2, 8, 0, {".......#.", ".....##..", "....#....", ".........", "........."}},
      {"x-major left up", 9, 5, 4, 2, 0, 0, {".#.......", "..##.....", "....#....", ".........", "........."}},
      {"y-major down right", 5, 9, 2, 4, 4, 8, {".....", ".....", ".....", ".....", "..#..", "..#..", "...#.", "...#.", "....."}},
      {"y-major down left", 5, 9, 2, 4, 0, 8, {".....", ".....", ".....", ".....", "..#..", ".#...", ".#...", "#....", "....."}},
      {"y-major up right", 5, 9, 2, 4, 4, 0, {".....", "...#.", "...#.", "..#..", "..#..", ".....", ".....", ".....", "....."}},
      {"y-major up left", 5, 9, 2, 4, 0, 0, {".....", "#....", ".#...", ".#...", "..#..", ".....", ".....", ".....", "....."}},
      {"doubled end, falling, clipped", 5, 3, 0, 0, 8, 4, {"##...", "..##.", "....#"}},
      {"doubled end, rising, clipped", 5, 3, 4, 0, -4, 4, {"...##", ".##..", "#...."}},
      {"a point: nothing", 3, 1, 1, 0, 1, 0, {"..."}},
  };
  for (const Case& c : cases) {
    platform::MonoBitmap b = Mono(std::vector<std::string>(c.height, std::string(c.width, '.')));
    ASSERT_EQ(platform::DrawLine(&b, c.x0, c.y0, c.x1, c.y1), 0) << c.name;
    EXPECT_EQ(Rows(b), c.rows) << c.name;
  }
  platform::MonoBitmap b = Mono({"."});
  EXPECT_EQ(platform::DrawLine(&b, 0, 0, 1 << 25, 0), platform::k_ERROR_INVALID_PARAMETER);
}

}  // namespace
