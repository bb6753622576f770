#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/compound_character.h"
#include "glyphora/tools/line_shape.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"
#include "tests/glyphora/tools/raster_reference.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

constexpr CellSize k_squareCell{10, 10};

TEST(LineCharacter, FollowsTheSlopeUnlessOneIsSet) {
  struct Case {
    LineExtent line;
    char expected;
  };
  const Case cases[] = {
      {{10, 2, false, 0, 1}, '-'}, {{2, 10, false, 0, 1}, '|'}, {{5, 5, false, 0, 1}, '\\'},
      {{5, 5, true, 0, 1}, '/'},   {{4, 2, true, 0, 1}, '/'},   {{2, 4, false, 0, 1}, '\\'},
      {{0, 0, false, 0, 1}, '\\'}, {{10, 2, false, 'o', 1}, 'o'},
  };
  for (const Case& c : cases) EXPECT_EQ(LineCharacter(c.line), c.expected) << c.line.dx << "x" << c.line.dy;
}

TEST(CompoundCharacter, CombinesTheListedPairsEitherWay) {
  struct Case {
    char a, b, result;
  };
  const Case cases[] = {
      {'+', '-', '+'},  {'+', '|', '+'}, {'-', '|', '+'}, {'/', 'X', 'X'}, {'/', '\\', 'X'},
      {'X', '\\', 'X'}, {'*', '+', '*'}, {'*', '-', '*'}, {'*', '/', '*'}, {'*', 'X', '*'},
      {'*', '\\', '*'}, {'*', '|', '*'}, {'+', '/', '*'}, {'+', 'X', '*'}, {'+', '\\', '*'},
      {'-', 'X', '*'},  {'X', '|', '*'},  {'-', '/', '*'}, {'-', '\\', '*'}, {'|', '/', '*'},
      {'|', '\\', '*'},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompoundCharacter(c.a, c.b), c.result) << c.a << c.b;
    EXPECT_EQ(CompoundCharacter(c.b, c.a), c.result) << c.b << c.a;
  }
  const char others[][2] = {{'-', 'o'}, {'X', '#'}, {'-', '-'}, {'|', 'a'}, {'/', '/'}};
  for (const auto& o : others) EXPECT_EQ(CompoundCharacter(o[0], o[1]), o[0]) << o[0] << o[1];
}

TEST(LineMakePage, DrawsTheLineWithThickBlocks) {
  struct Case {
    const char* name;
    LineExtent line;
    CellSize cell;
    Rows expected;
  };
  const Case cases[] = {
      {"across", {4, 0, false, 0, 1}, k_squareCell, {"-----"}},
      {"down", {0, 3, false, 0, 1}, k_squareCell, {"|", "|", "|", "|"}},
      {"falling", {3, 3, false, 0, 1}, k_squareCell, {"\\...", ".\\..", "..\\.", "...\\"}},
      {"rising", {3, 3, true, 0, 1}, k_squareCell, {".../", "../.", "./..", "/..."}},
      {"shallow", {4, 2, false, 0, 1}, k_squareCell, {"\\....", ".\\\\..", "...\\\\"}},
      {"own character", {2, 0, false, '=', 1}, k_squareCell, {"==="}},
      {"square cells: two by two", {3, 0, false, 0, 2}, k_squareCell, {"-----", "-----"}},
      {"tall cells: thinner rows", {2, 0, false, 0, 3}, {8, 16}, {"-----", "-----"}},
      {"tall cells: one row", {2, 0, false, 0, 2}, {8, 16}, {"----"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedPage shape;
    ASSERT_EQ(LineMakePage(&shape.page, c.line, c.cell, nullptr, glyphora_test::ReferenceRaster()), 0);
    EXPECT_EQ(RowsOf(shape.page), c.expected);
  }
}

TEST(LineMakePage, CompoundsWithTheCharactersItCrosses) {
  struct Case {
    const char* name;
    LineExtent line;
    Rows under;
    int column, row;
    Rows expected;
  };
  const Rows bar = {"..|..", "..|..", "..|.."};
  const Case cases[] = {
      {"across a bar", {4, 0, false, 0, 1}, bar, 0, 1, {"--+--"}},
      {"across a slash", {4, 0, false, 0, 1}, {"..../", ".../.", "../.."}, 0, 2, {"--*--"}},
      {"slash over backslash", {2, 2, true, 0, 1}, {"\\..", ".\\.", "..\\"}, 0, 0, {"../", ".X.", "/.."}},
      {"offset on the page, past its edge", {3, 0, false, 0, 1}, {"...|"}, 1, 0, {"--+-"}},
      {"blanks are overwritten", {2, 0, false, 0, 1}, {"| ."}, 0, 0, {"+--"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScopedPage under(c.under);
    LineTarget target{&under.page, c.column, c.row};
    ScopedPage shape;
    ASSERT_EQ(LineMakePage(&shape.page, c.line, k_squareCell, &target, glyphora_test::ReferenceRaster()), 0);
    EXPECT_EQ(RowsOf(shape.page), c.expected);
  }
}

TEST(LineMakePage, RefusesBadLinesAndPassesDrawingFailuresOn) {
  struct Case {
    LineExtent line;
    RasterOps raster;
    int error;
  };
  const Case cases[] = {
      {{-1, 2, false, 0, 1}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {{1, -2, false, 0, 1}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {{1, 2, false, 0, 0}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {{40000, 2, false, 0, 1}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {{32767, 0, false, 0, 1}, glyphora_test::ReferenceRaster(), platform::k_ERROR_INVALID_PARAMETER},
      {{3, 2, false, 0, 1}, glyphora_test::FailingRaster(), platform::k_ERROR_GEN_FAILURE},
  };
  for (const Case& c : cases) {
    Page shape;
    EXPECT_EQ(LineMakePage(&shape, c.line, k_squareCell, nullptr, c.raster), c.error) << c.line.dx;
    EXPECT_EQ(shape.cells, nullptr);
  }
}

}  // namespace
