#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/circle_shape.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"
#include "tests/glyphora/tools/raster_reference.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

TEST(CircleCharacter, FollowsTheOutlineDirection) {
  struct Case {
    int x, y;
    char expected;
  };
  // A 20 x 10 ellipse: ends, top and bottom, and the four arcs.
  const Case cases[] = {{0, 5, '|'},  {19, 5, '|'}, {10, 0, '-'}, {10, 9, '-'},  {3, 1, '/'},
                        {16, 8, '/'}, {16, 1, '\\'}, {3, 8, '\\'}, {10, 5, '|'}, {1, 3, '|'}};
  for (const Case& c : cases) EXPECT_EQ(CircleCharacter(c.x, c.y, 20, 10), c.expected) << c.x << "," << c.y;
}

TEST(CircleMakePage, DrawsTheOutlineWithItsCharacters) {
  struct Case {
    const char* name;
    int width, height;
    char character;
    int thickness;
    CellSize cell;
    Rows expected;
  };
  const Case cases[] = {
      {"automatic", 20, 10, 0, 1, {10, 10},
       {"......--------......", "...///........-\\\\...", ".//..............\\\\.", "||................||", "|..................|", "|..................|", "||................||", ".||............../|.", "...\\\\\\........///...", "......--------......"}},
      // Two columns at the sides, one row at the top and bottom in cells twice as tall.
      {"thick", 11, 9, 0, 2, {8, 16},
       {"...-----...", ".///...-\\\\.", ".//.....\\\\.", "||.......\\|", "||.......||", "||.......||", ".|\\.....//.", ".\\\\\\...-//.", "...\\----..."}},
      {"own character", 7, 5, 'o', 1, {8, 16}, {".ooooo.", "oo...oo", "o.....o", "oo...oo", ".ooooo."}},
      {"square cells thick", 9, 9, '#', 2, {10, 10},
       {"..#####..", ".#######.", "###...###", "##.....##", "##.....##", "##.....##", "###...###", ".#######.", "..#####.."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedPage shape;
    ASSERT_EQ(CircleMakePage(&shape.page, c.width, c.height, static_cast<unsigned char>(c.character),
                             c.thickness, c.cell, glyphora_test::ReferenceRaster()),
              0);
    EXPECT_EQ(RowsOf(shape.page), c.expected);
  }
}

TEST(CircleMakePage, RefusesBadSizesAndPassesDrawingFailuresOn) {
  struct Case {
    int width, height, thickness;
    CellSize cell;
    RasterOps raster;
    int error;
  };
  const Case cases[] = {
      {0, 4, 1, {10, 10}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {4, 0, 1, {10, 10}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {4, 4, 0, {10, 10}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {40000, 4, 1, {10, 10}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      // The pen of rows x thickness logical units would not fit the mapping.
      {30000, 4, 30000, {40, 10}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {4, 4, 1, {10, 10}, glyphora_test::FailingRaster(), platform::k_ERROR_GEN_FAILURE},
  };
  for (const Case& c : cases) {
    Page shape;
    EXPECT_EQ(CircleMakePage(&shape, c.width, c.height, 0, c.thickness, c.cell, c.raster), c.error)
        << c.width << "x" << c.height << " t" << c.thickness;
    EXPECT_EQ(shape.cells, nullptr);
  }
}

}  // namespace
