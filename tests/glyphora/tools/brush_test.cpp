#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/brush.h"
#include "glyphora/tools/direction_character.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

TEST(DirectionCharacter, FollowsTheSignsOfTheStep) {
  struct Case {
    int dx, dy;
    char expected;
  };
  const Case cases[] = {{1, 0, '-'},   {-4, 0, '-'},  {1, -1, '/'}, {-1, 1, '/'},  {3, -7, '/'},
                        {1, 1, '\\'},  {-2, -1, '\\'}, {0, 1, '|'}, {0, -5, '|'}, {0, 0, ' '}};
  for (const Case& c : cases) EXPECT_EQ(DirectionCharacter(c.dx, c.dy), c.expected) << c.dx << "," << c.dy;
}

TEST(BrushWord, KeepsSizeAndRoundFlagWithTheMarkerSet) {
  struct Case {
    std::uint16_t stored;
    std::uint16_t loaded;
    int size;
    bool round;
  };
  const Case cases[] = {
      {k_defaultPencilBrush, 0xC001, 1, true}, {k_defaultRubberBrush, 0x8001, 1, false},
      {0x0005, 0x8005, 5, false},              {0x4FFF, 0xC00F, 15, true},  // size past 15
      {0x2003, 0x8003, 3, false},              {0x8000, 0x8000, 0, false},
  };
  for (const Case& c : cases) {
    std::uint16_t word = BrushLoad(c.stored);
    EXPECT_EQ(word, c.loaded) << std::hex << c.stored;
    EXPECT_EQ(BrushSize(word), c.size);
    EXPECT_EQ(BrushRound(word), c.round);
  }
  EXPECT_EQ(BrushWord(20, true), 0xC00F);
  EXPECT_EQ(BrushWord(-2, false), 0x8000);
}

TEST(GetSizedRect, CentresTheBrushAndClipsToThePage) {
  struct Case {
    int column, row, size;
    CellRect expected;
  };
  const Case cases[] = {
      {5, 4, 1, {5, 4, 6, 5}},  {5, 4, 3, {4, 3, 7, 6}},   {5, 4, 2, {5, 4, 7, 6}},
      {5, 4, 4, {4, 3, 8, 7}},  {0, 0, 5, {0, 0, 3, 3}},   {9, 7, 3, {8, 6, 10, 8}},
      {5, 4, 0, {5, 4, 6, 5}},  {-5, 2, 3, {0, 1, 0, 4}},
  };
  ScopedPage page(Rows(8, std::string(10, '.')));
  for (const Case& c : cases) {
    CellRect r = GetSizedRect(page.page, c.column, c.row, c.size);
    EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}),
              (std::vector<int>{c.expected.left, c.expected.top, c.expected.right, c.expected.bottom}))
        << c.column << "," << c.row << " size " << c.size;
  }
}

TEST(SetCharsPage, StampsSquareOrRoundBrushes) {
  struct Case {
    int column, row, size;
    bool round;
    Rows expected;
  };
  const Case cases[] = {
      {2, 2, 1, true, {".......", ".......", "..#....", ".......", ".......", "......."}},
      {2, 2, 2, true, {".......", ".......", "..##...", "..##...", ".......", "......."}},
      {2, 2, 3, false, {".......", ".###...", ".###...", ".###...", ".......", "......."}},
      {2, 2, 3, true, {".......", "..#....", ".###...", "..#....", ".......", "......."}},
      {3, 2, 5, true, {"..###..", ".#####.", ".#####.", ".#####.", "..###..", "......."}},
      {3, 2, 4, true, {".......", "...##..", "..####.", "..####.", "...##..", "......."}},
      {0, 0, 5, true, {"###....", "###....", "##.....", ".......", ".......", "......."}},
      {6, 5, 3, true, {".......", ".......", ".......", ".......", "......#", ".....##"}},
  };
  for (const Case& c : cases) {
    ScopedPage page(Rows(6, std::string(7, '.')));
    SetCharsPage(&page.page, c.column, c.row, '#', c.size, c.round);
    EXPECT_EQ(RowsOf(page.page), c.expected) << c.column << "," << c.row << " size " << c.size;
  }
}

TEST(GetCharPage, ReadsACellOrEmptyOffThePage) {
  ScopedPage page({"ab", "c."});
  EXPECT_EQ(GetCharPage(page.page, 1, 0), 'b');
  EXPECT_EQ(GetCharPage(page.page, 0, 1), 'c');
  EXPECT_EQ(GetCharPage(page.page, 1, 1), 0);
  for (auto [x, y] : {std::pair{-1, 0}, std::pair{2, 0}, std::pair{0, 2}, std::pair{0, -1}})
    EXPECT_EQ(GetCharPage(page.page, x, y), 0);
}

}  // namespace
