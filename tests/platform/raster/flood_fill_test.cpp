#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/raster.h"
#include "tests/platform/raster/mono_rows.h"

namespace {

using raster_test::Mono;
using raster_test::Rows;

TEST(PlatformRaster, FloodFillsTheWhiteSurfaceThroughSideNeighboursOnly) {
  const std::vector<std::string> box = {"......", ".####.", ".#..#.", ".####.", "......"};
  const std::vector<std::string> corner = {"..#...", "..#...", "##....", "......"};
  struct Case {
    const char* name;
    std::vector<std::string> before;
    int x, y;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {"inside a box", box, 2, 2, {"......", ".####.", ".####.", ".####.", "......"}},
      {"around a box, bounded by the bitmap", box, 0, 0, {"######", "######", "##..##", "######", "######"}},
      {"no way through a diagonal gap", corner, 0, 0, {"###...", "###...", "##....", "......"}},
      {"the other side of the gap", corner, 5, 3, {"..####", "..####", "######", "######"}},
      {"start on black", box, 1, 1, box},
      {"start outside", box, 6, 0, box},
      {"start above", box, 0, -1, box},
  };
  for (const Case& c : cases) {
    platform::MonoBitmap b = Mono(c.before);
    ASSERT_EQ(platform::FloodFillSurface(&b, c.x, c.y), 0) << c.name;
    EXPECT_EQ(Rows(b), c.after) << c.name;
  }
}

}  // namespace
