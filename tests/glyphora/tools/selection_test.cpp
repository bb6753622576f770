#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/selection.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"
#include "tests/glyphora/tools/rows_document.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsDocument;
using glyphora_test::RowsOf;
using Rows = std::vector<std::string>;

TEST(Selection, LiftMoveAndDropIsTwoUndoableSteps) {
  RowsDocument d({"abcd", "efgh", "ijkl"});
  ASSERT_EQ(SelectionLift(d.doc, CellRect{1, 0, 9, 2}, BlitMode::EmptyAsBlank), 0);  // clipped to 3 x 2
  EXPECT_EQ(RowsOf(d.doc->current.floatingPage), (Rows{"bcd", "fgh"}));
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"a...", "e...", "ijkl"}));
  SelectionMoveTo(d.doc, 0, 1);
  ASSERT_EQ(DocFrontPageDrop(d.doc, true, true), 0);
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"a...", "bcd.", "fghl"}));
  DocumentUndo(d.doc);  // the lift is the action: undo gives the picture before it
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"abcd", "efgh", "ijkl"}));
  EXPECT_EQ(d.doc->current.floating, 0);
  ASSERT_EQ(SelectionLift(d.doc, CellRect{5, 5, 9, 9}, BlitMode::Copy), 0);  // off the page
  EXPECT_EQ(d.doc->current.floating, 0);
}

TEST(Selection, TransformClearAndSelectAll) {
  RowsDocument d({"ab", "cd"});
  GrayTable grays;
  EXPECT_EQ(SelectionTransform(d.doc, Transform::FlipHorizontal, grays), platform::k_ERROR_INVALID_FUNCTION);
  ASSERT_EQ(DocumentSelAll(d.doc, BlitMode::SkipEmpty), 0);
  ASSERT_EQ(SelectionTransform(d.doc, Transform::RotateRight, grays), 0);
  EXPECT_EQ(RowsOf(d.doc->current.floatingPage), (Rows{"ca", "db"}));
  EXPECT_EQ(RowsOf(SelectionCopyPage(*d.doc)), (Rows{"ca", "db"}));
  DocumentUndo(d.doc);  // one action: back to the lifted page
  EXPECT_EQ(RowsOf(d.doc->current.floatingPage), (Rows{"ab", "cd"}));
  ASSERT_EQ(SelectionClear(d.doc), 0);
  EXPECT_EQ(d.doc->current.floating, 0);
  EXPECT_EQ(RowsOf(SelectionCopyPage(*d.doc)), (Rows{"..", ".."}));
  DocumentUndo(d.doc);
  EXPECT_EQ(d.doc->current.floating, 1);
}

}  // namespace
