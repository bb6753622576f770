#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "glyphora/tools/stroke.h"
#include "tests/glyphora/page_rows.h"
#include "tests/glyphora/tools/rows_document.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsDocument;
using glyphora_test::RowsOf;
using Rows = std::vector<std::string>;
using Points = std::vector<std::pair<int, int>>;

enum class Tool { Pencil, Rubber };

TEST(Stroke, StampsEveryPointOfADragAsOneAction) {
  struct Case {
    const char* name;
    Tool tool;
    DrawingOptions options;
    Rows start;
    Points points;
    Rows expected;
  };
  DrawingOptions big;
  big.pencilBrush = BrushWord(3, true);
  big.rubberBrush = BrushWord(3, false);
  DrawingOptions direction;
  direction.directionMode = true;
  DrawingOptions hash;
  hash.character = '#';
  const Case cases[] = {
      {"pencil", Tool::Pencil, {}, {".....", "....."}, {{1, 0}, {2, 0}, {2, 1}}, {".**..", "..*.."}},
      {"own character", Tool::Pencil, hash, {"ab...", "....."}, {{0, 0}, {4, 1}}, {"#b...", "....#"}},
      {"page grows for the brush", Tool::Pencil, big, {"....", "...."}, {{1, 2}},
       {"....", ".*..", "***.", ".*.."}},
      {"direction mode", Tool::Pencil, direction, {"...", "...", "..."}, {{0, 0}, {1, 0}, {2, 1}, {2, 2}},
       {"-\\.", "..|", "..|"}},
      {"repeated point", Tool::Pencil, direction, {"...", "..."}, {{0, 0}, {1, 0}, {1, 0}}, {"--.", "..."}},
      {"rubber writes blanks", Tool::Rubber, {}, {"abc", "def"}, {{1, 0}, {1, 1}}, {"a c", "d f"}},
      {"square rubber", Tool::Rubber, big, {"abcd", "efgh", "ijkl"}, {{2, 1}}, {"a   ", "e   ", "i   "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RowsDocument d(c.start);
    Stroke stroke;
    for (auto [column, row] : c.points) {
      int error = c.tool == Tool::Pencil ? PencilPoint(d.doc, &stroke, c.options, column, row)
                                         : RubberPoint(d.doc, &stroke, c.options, column, row);
      EXPECT_EQ(error, 0);
    }
    EXPECT_EQ(RowsOf(d.doc->current.mainPage), c.expected);
    EXPECT_EQ(d.doc->dirty, 1);
    DocumentUndo(d.doc);
    EXPECT_EQ(RowsOf(d.doc->current.mainPage), c.start);
  }
}

}  // namespace

namespace {

TEST(Stroke, FastDragsLeaveNoGaps) {
  struct Case {
    Points points;
    Rows expected;
  };
  const Case cases[] = {
      {{{0, 0}, {4, 0}}, {"*****", ".....", "....."}},
      {{{0, 0}, {4, 2}}, {"*....", ".**..", "...**"}},  // halfway steps round away from the start
      {{{4, 2}, {0, 0}, {0, 2}}, {"**...", "*.**.", "*...*"}},
  };
  for (const Case& c : cases) {
    RowsDocument d({".....", ".....", "....."});
    Stroke stroke;
    for (auto [column, row] : c.points) EXPECT_EQ(StrokeTo(d.doc, &stroke, DrawingOptions(), column, row, PencilPoint), 0);
    EXPECT_EQ(RowsOf(d.doc->current.mainPage), c.expected);
    DocumentUndo(d.doc);  // still one action
    EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{".....", ".....", "....."}));
  }
}

}  // namespace
