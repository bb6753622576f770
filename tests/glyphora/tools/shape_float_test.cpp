#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/tools/shape_float.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"
#include "tests/glyphora/tools/rows_document.h"
#include "tests/glyphora/tools/raster_reference.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsDocument;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

// Floats a shape given as rows; the test keeps what the document did not take.
int Float(Document* doc, const Rows& rows, int column, int row) {
  ScopedPage shape(rows);
  return ShapeFloat(doc, &shape.page, column, row);
}

TEST(ShapeFloat, FloatsTheShapeToBeMergedWithoutItsBlanks) {
  RowsDocument d({"abcd", "efgh"});
  ASSERT_EQ(Float(d.doc, {"+-+", "|.|", "+ +"}, 2, 0), 0);
  EXPECT_EQ(d.doc->current.mergeMode, BlitMode::SkipBlank);
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"abcd", "efgh"}));  // floating, not laid yet
  ASSERT_EQ(Float(d.doc, {"**"}, -1, 3), 0);  // the first shape is merged before the second floats
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"ab+-", "ef|h", "..+."}));
  ASSERT_EQ(DocFrontPageDrop(d.doc, true, true), 0);
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"ab+-", "ef|h", "..+.", "*..."}));
  DocumentUndo(d.doc);  // back to the first shape floating
  EXPECT_EQ(RowsOf(d.doc->current.floatingPage), (Rows{"+-+", "|.|", "+ +"}));
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"abcd", "efgh"}));
  ScopedPage kept({"x"});
  EXPECT_EQ(ShapeFloat(d.doc, &kept.page, 40000, 0), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_NE(kept.page.cells, nullptr);
}

TEST(BucketFill, FillsThePictureAsOneAction) {
  RowsDocument d({"a.b", "..a"});
  ASSERT_EQ(BucketFill(d.doc, 1, 0, '~', glyphora_test::ReferenceRaster()), 0);
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"a~b", "~~a"}));
  DocumentUndo(d.doc);
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), (Rows{"a.b", "..a"}));
  d.doc->dirty = 0;
  EXPECT_EQ(BucketFill(d.doc, 3, 0, '~', glyphora_test::ReferenceRaster()), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(d.doc->dirty, 0);
}

}  // namespace
