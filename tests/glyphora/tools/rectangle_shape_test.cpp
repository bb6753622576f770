#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/rectangle_shape.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

TEST(RectangleMakePage, DrawsSidesThenTopAndBottomRows) {
  struct Case {
    int width, height;
    char character;
    int thickness;
    Rows expected;
  };
  const Case cases[] = {
      {5, 4, 0, 1, {"+---+", "|...|", "|...|", "+---+"}},
      {6, 5, 0, 2, {"+----+", "|+--+|", "||..||", "|+--+|", "+----+"}},
      {3, 3, 0, 2, {"+-+", "|+|", "+-+"}},
      {1, 1, 0, 1, {"+"}},
      {5, 3, 'o', 1, {"ooooo", "o...o", "ooooo"}},
      {4, 3, '#', 3, {"####", "####", "####"}},  // thicker than half: solid
      {7, 2, 0, 1, {"+-----+", "+-----+"}},
  };
  for (const Case& c : cases) {
    ScopedPage shape;
    ASSERT_EQ(RectangleMakePage(&shape.page, c.width, c.height, static_cast<unsigned char>(c.character),
                                c.thickness),
              0);
    EXPECT_EQ(RowsOf(shape.page), c.expected) << c.width << "x" << c.height << " t" << c.thickness;
  }
  struct Bad {
    int width, height, thickness;
  };
  for (const Bad& b : {Bad{0, 3, 1}, Bad{3, 0, 1}, Bad{3, 3, 0}, Bad{40000, 3, 1}}) {
    Page shape;
    EXPECT_EQ(RectangleMakePage(&shape, b.width, b.height, 0, b.thickness), platform::k_ERROR_INVALID_PARAMETER);
    EXPECT_EQ(shape.cells, nullptr);
  }
}

}  // namespace
