#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/fill.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"
#include "tests/glyphora/tools/raster_reference.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

TEST(FillOnPage, FillsTheFourNeighbourAreaOfTheStartCellsKind) {
  struct Case {
    const char* name;
    int column, row;
    char character;
    Rows start;
    Rows expected;
  };
  const Rows box = {"......", ".****.", ".*. *.", ".* .*.", ".****.", "......"};
  const Case cases[] = {
      {"inside a closed box: empty and blank alike", 2, 2, 'o', box,
       {"......", ".****.", ".*oo*.", ".*oo*.", ".****.", "......"}},
      {"the border, not its diagonal neighbours", 1, 1, '#',
       {"*.....", ".****.", ".*..*.", ".****.", "......", ".....*"},
       {"*.....", ".####.", ".#..#.", ".####.", "......", ".....*"}},
      {"outside the box, bounded by the page", 0, 0, '+', box,
       {"++++++", "+****+", "+*. *+", "+* .*+", "+****+", "++++++"}},
      {"a character matches only itself", 0, 0, 'z', {"aab", "a b", "aaa"}, {"zzb", "z b", "zzz"}},
      {"a blank start reaches blanks, not characters", 1, 1, '-', {"a b", " . ", "bab"},
       {"a-b", "---", "bab"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedPage page(c.start);
    EXPECT_EQ(FillOnPage(&page.page, c.column, c.row, static_cast<unsigned char>(c.character),
                         glyphora_test::ReferenceRaster()),
              0);
    EXPECT_EQ(RowsOf(page.page), c.expected);
  }
}

TEST(FillOnPage, RefusesOrFailsWithoutChangingThePage) {
  struct Case {
    int column, row;
    RasterOps raster;
    int error;
  };
  const Case cases[] = {
      {-1, 0, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {3, 0, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {0, 2, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {0, 0, glyphora_test::FailingRaster(), platform::k_ERROR_GEN_FAILURE},
  };
  for (const Case& c : cases) {
    ScopedPage page({"a.b", "..."});
    EXPECT_EQ(FillOnPage(&page.page, c.column, c.row, 'x', c.raster), c.error);
    EXPECT_EQ(RowsOf(page.page), (Rows{"a.b", "..."}));
  }
}

}  // namespace
