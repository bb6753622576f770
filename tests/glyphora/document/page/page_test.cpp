#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/document/page/page.h"
#include "glyphora/document/page/page_blit.h"
#include "glyphora/document/page/page_reduce.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

TEST(GlyphoraPage, NewIsEmptyAndRefusesBadSizes) {
  struct Case {
    int width, height, error;
  };
  const Case cases[] = {{3, 2, 0}, {0, 0, 0}, {1, 0, 0}, {-1, 2, platform::k_ERROR_INVALID_PARAMETER},
                        {2, 40000, platform::k_ERROR_INVALID_PARAMETER}};
  for (const Case& c : cases) {
    ScopedPage p;
    EXPECT_EQ(PageNew(&p.page, c.width, c.height), c.error) << c.width << "x" << c.height;
    if (c.error != 0) {
      EXPECT_EQ(p.page.cells, nullptr);
      continue;
    }
    EXPECT_EQ(p.page.width, c.width);
    EXPECT_EQ(p.page.height, c.height);
    EXPECT_EQ(RowsOf(p.page), Rows(static_cast<std::size_t>(c.height), std::string(static_cast<std::size_t>(c.width), '.')));
  }
}

TEST(GlyphoraPage, ResizeKeepsContentAtTopLeft) {
  struct Case {
    int width, height;
    Rows after;
  };
  const Case cases[] = {
      {3, 3, {"ab ", "c.d", "..."}},  // taller: new rows empty
      {3, 1, {"ab "}},                // shorter
      {2, 2, {"ab", "c."}},           // narrower: cut at the right
      {4, 3, {"ab .", "c.d.", "...."}},
      {3, 2, {"ab ", "c.d"}},  // same size: unchanged
  };
  for (const Case& c : cases) {
    ScopedPage p({"ab ", "c.d"});
    ASSERT_EQ(PageResize(&p.page, c.width, c.height), 0);
    EXPECT_EQ(RowsOf(p.page), c.after) << c.width << "x" << c.height;
  }
  ScopedPage p({"ab"});
  EXPECT_EQ(PageResize(&p.page, -2, 1), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RowsOf(p.page), Rows({"ab"}));
}

TEST(GlyphoraPage, DataBlitModesAndClipping) {
  struct Case {
    const char* name;
    int destColumn, destRow, sourceColumn, sourceRow;
    BlitMode mode;
    Rows after;
  };
  // Destination "xxxx" rows, source "a. " / " .b" (2 rows x 3).
  const Case cases[] = {
      {"mode 0 empty as space", 0, 0, 0, 0, BlitMode::EmptyAsBlank, {"a  x", "  bx", "xxxx"}},
      {"mode 1 empty transparent", 0, 0, 0, 0, BlitMode::SkipEmpty, {"ax x", " xbx", "xxxx"}},
      {"mode 2 blank transparent", 0, 0, 0, 0, BlitMode::SkipBlank, {"axxx", "xxbx", "xxxx"}},
      {"mode 3 unchanged", 0, 0, 0, 0, BlitMode::Copy, {"a. x", " .bx", "xxxx"}},
      {"negative destination", -1, -1, 0, 0, BlitMode::Copy, {".bxx", "xxxx", "xxxx"}},
      {"clipped right and bottom", 2, 2, 0, 0, BlitMode::Copy, {"xxxx", "xxxx", "xxa."}},
      {"negative source", 0, 0, -1, 0, BlitMode::Copy, {"xa. ", "x .b", "xxxx"}},
      {"source offset", 0, 0, 1, 1, BlitMode::Copy, {".bxx", "xxxx", "xxxx"}},
      {"no overlap", 4, 0, 0, 0, BlitMode::Copy, {"xxxx", "xxxx", "xxxx"}},
  };
  for (const Case& c : cases) {
    ScopedPage dest({"xxxx", "xxxx", "xxxx"});
    ScopedPage source({"a. ", " .b"});
    PageDataBlit(dest.page.cells, 4, 3, c.destColumn, c.destRow, source.page.cells, 3, 2,
                 c.sourceColumn, c.sourceRow, c.mode);
    EXPECT_EQ(RowsOf(dest.page), c.after) << c.name;
  }
}

TEST(GlyphoraPage, LargerSourceIsClippedAndLiftFillsWholeDestination) {
  ScopedPage big({"abcde", "fghij", "klmno"});
  ScopedPage small({"..", ".."});
  PageMerge(&small.page, big.page, -1, 0, BlitMode::Copy);
  EXPECT_EQ(RowsOf(small.page), Rows({"bc", "gh"}));
  ScopedPage lifted({"...", "..."});
  ScopedPage holes({"a.b", "...", "cde"});
  PageLift(&lifted.page, holes.page, 1, 1);
  EXPECT_EQ(RowsOf(lifted.page), Rows({"  .", "de."}));  // empty source cells become spaces
}

TEST(GlyphoraPage, AutoReduceDropsBlankEdges) {
  struct Case {
    const char* name;
    Rows page;
    bool topLeft;
    CellRect expected;
  };
  const Case cases[] = {
      {"bottom and right", {"ab. ", " c..", "....", "  . "}, false, {0, 0, 2, 2}},
      {"top-left kept without flag", {"....", ". x.", "...."}, false, {0, 0, 3, 2}},
      {"top-left with flag", {"....", ". x.", "...."}, true, {2, 1, 3, 2}},
      {"all blank unchanged", {" ..", "..."}, true, {0, 0, 3, 2}},
      {"full page", {"ab", "cd"}, true, {0, 0, 2, 2}},
  };
  for (const Case& c : cases) {
    ScopedPage p(c.page);
    CellRect r{0, 0, p.page.width, p.page.height};
    PageAutoReduce(&r, p.page, c.topLeft);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
        << c.name;
  }
}

}  // namespace
