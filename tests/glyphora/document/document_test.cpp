#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "glyphora/document/doc_geometry.h"
#include "glyphora/document/document.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using Rows = std::vector<std::string>;

// Records what the document asks of its window, one line per call.
class RecordingWindow : public DocWindow {
 public:
  void ToolTemp(int tool, int leaving) override { Log("temp", tool, leaving); }
  void ToolButtons(int tool, int show) override { Log("buttons", tool, show); }
  void ToolActive(int tool, int active) override { Log("active", tool, active); }
  void InvalArea(const CellRect& r) override {
    calls.push_back("inval " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                    std::to_string(r.right) + "," + std::to_string(r.bottom));
  }
  void ResetScrolling() override { calls.push_back("rescroll"); }
  std::vector<std::string> calls;

 private:
  void Log(const char* what, int tool, int flag) {
    calls.push_back(std::string(what) + " " + std::to_string(tool) + " " + std::to_string(flag));
  }
};

// A document of the given size, freed at the end of the scope.
struct ScopedDocument {
  Document* doc = nullptr;
  ScopedDocument(DocWindow* window, int width, int height) {
    EXPECT_EQ(DocumentCreate(&doc, window, width, height), 0);
  }
  ~ScopedDocument() { DocumentKill(doc); }
};

void Float(Document* doc, const Rows& rows, int column, int row, BlitMode mode) {
  glyphora_test::ScopedPage source(rows);
  DocState& s = doc->current;
  ASSERT_EQ(PageNew(&s.floatingPage, source.page.width, source.page.height), 0);
  PageMerge(&s.floatingPage, source.page, 0, 0, BlitMode::Copy);
  s.floating = 1;
  s.floatingColumn = static_cast<std::int16_t>(column);
  s.floatingRow = static_cast<std::int16_t>(row);
  s.mergeMode = mode;
  s.sourceKind = SourceKind::Text;
  s.source.data = static_cast<unsigned char*>(Allocate(3));
  std::memcpy(s.source.data, "abc", 3);
  s.source.size = 3;
}

TEST(GlyphoraDocument, CreateRefusesSizesOutsideTheLimits) {
  struct Case {
    int width, height, error;
  };
  const Case cases[] = {{1, 1, 0}, {500, 16000, 0}, {0, 5, platform::k_ERROR_INVALID_PARAMETER},
                        {501, 5, platform::k_ERROR_INVALID_PARAMETER}, {5, 16001, platform::k_ERROR_INVALID_PARAMETER}};
  for (const Case& c : cases) {
    Document* doc = nullptr;
    EXPECT_EQ(DocumentCreate(&doc, nullptr, c.width, c.height), c.error) << c.width << "x" << c.height;
    if (doc == nullptr) continue;
    EXPECT_EQ(doc->undo.mainPage.width, c.width);
    EXPECT_NE(doc->undo.mainPage.cells, doc->current.mainPage.cells);
    EXPECT_EQ(doc->current.tool, 0);
    DocumentKill(doc);
  }
}

TEST(GlyphoraDocument, StateCopyIsDeep) {
  ScopedDocument d(nullptr, 3, 1);
  Float(d.doc, {"xy"}, 1, 0, BlitMode::SkipEmpty);
  DocState copy;
  ASSERT_EQ(DocStateCopy(&copy, d.doc->current), 0);
  d.doc->current.mainPage.cells[0] = 'm';
  d.doc->current.floatingPage.cells[0] = 'f';
  d.doc->current.source.data[0] = 's';
  EXPECT_EQ(RowsOf(copy.mainPage), Rows({"..."}));
  EXPECT_EQ(RowsOf(copy.floatingPage), Rows({"xy"}));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(copy.source.data), 3), "abc");
  EXPECT_EQ(copy.floatingColumn, 1);
  EXPECT_EQ(copy.mergeMode, BlitMode::SkipEmpty);
  DocStateKill(&copy);
  EXPECT_EQ(copy.source.data, nullptr);
  EXPECT_EQ(copy.sourceKind, SourceKind::None);
}

TEST(GlyphoraDocument, UndoTwiceRedoesWithTheToolAndTellsTheTools) {
  RecordingWindow window;
  ScopedDocument d(&window, 2, 1);
  EXPECT_EQ(window.calls, Rows({"active 0 1"}));
  ASSERT_EQ(DocBeginAction(d.doc), 0);
  EXPECT_EQ(d.doc->dirty, 1);
  d.doc->current.mainPage.cells[0] = 'a';
  d.doc->current.tool = 3;
  window.calls.clear();
  DocumentUndo(d.doc);
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), Rows({".."}));
  EXPECT_EQ(d.doc->current.tool, 0);
  EXPECT_EQ(window.calls, Rows({"temp 3 1", "buttons 3 0", "inval 0,0,2,1", "inval 0,0,2,1", "temp 0 0",
                                "buttons 0 1"}));
  DocumentUndo(d.doc);
  EXPECT_EQ(RowsOf(d.doc->current.mainPage), Rows({"a."}));
  EXPECT_EQ(d.doc->current.tool, 3);
}

TEST(GlyphoraDocument, UndoAcrossAWidthChangeResetsScrolling) {
  RecordingWindow window;
  ScopedDocument d(&window, 2, 1);
  ASSERT_EQ(DocBeginAction(d.doc), 0);
  ASSERT_EQ(PageResize(&d.doc->current.mainPage, 4, 1), 0);
  Float(d.doc, {"z"}, 3, 0, BlitMode::Copy);
  window.calls.clear();
  DocumentUndo(d.doc);
  EXPECT_EQ(window.calls, Rows({"temp 0 1", "buttons 0 0", "inval 0,0,4,1", "inval 3,0,4,1", "rescroll",
                                "temp 0 0", "buttons 0 1"}));
  EXPECT_EQ(d.doc->current.floating, 0);
  EXPECT_EQ(d.doc->undo.floating, 1);
}

TEST(GlyphoraDocument, FrontPageDropMergesGrowsAndKills) {
  struct Case {
    const char* name;
    Rows floating;
    int column, row;
    bool merge, kill;
    Rows page;
  };
  const Case cases[] = {
      {"merge inside", {"a."}, 1, 0, true, false, {"xa.", "..."}},
      {"merge below grows the page", {"a", "."}, 2, 2, true, true, {"x..", "...", "..a", "..."}},
      {"merge at a negative row", {"a", "."}, 0, -1, true, true, {"x..", "..."}},
      {"kill only", {"a", "."}, 0, 0, false, true, {"x..", "..."}},
  };
  for (const Case& c : cases) {
    ScopedDocument d(nullptr, 3, 2);
    d.doc->current.mainPage.cells[0] = 'x';
    Float(d.doc, c.floating, c.column, c.row, BlitMode::SkipEmpty);
    ASSERT_EQ(DocFrontPageDrop(d.doc, c.merge, c.kill), 0) << c.name;
    EXPECT_EQ(RowsOf(d.doc->current.mainPage), c.page) << c.name;
    EXPECT_EQ(d.doc->current.floating, c.kill ? 0 : 1) << c.name;
    EXPECT_EQ(d.doc->current.source.data == nullptr, c.kill) << c.name;
  }
}

TEST(GlyphoraDocument, PageExtendGrowsOnlyAndCountsVisibleRows) {
  ScopedDocument d(nullptr, 2, 2);
  d.doc->view = DocView{0, 0, 100, 50, 0, 0, 0, 10, 10};
  ASSERT_EQ(DocPageExtend(d.doc, 1), 0);
  EXPECT_EQ(d.doc->current.mainPage.height, 2);
  ASSERT_EQ(DocPageExtend(d.doc, 3), 0);
  EXPECT_EQ(d.doc->current.mainPage.height, 3);
  EXPECT_EQ(d.doc->view.visibleRows, 3);
  ASSERT_EQ(DocPageExtend(d.doc, 9), 0);
  EXPECT_EQ(d.doc->view.visibleRows, 5);
}

TEST(GlyphoraDocument, CellGeometryAndPinning) {
  ScopedDocument d(nullptr, 4, 3);
  d.doc->view = DocView{10, 20, 200, 200, 2, 1, 0, 8, 12};
  int x = 0, y = 0;
  DocCellToPos(*d.doc, 3, 2, &x, &y);
  EXPECT_EQ(x, 18);
  EXPECT_EQ(y, 32);
  struct Case {
    int x, y;
    PinMode mode;
    int column, row, inside;
  };
  const Case cases[] = {
      {18, 32, PinMode::Page, 3, 2, 1},         {25, 43, PinMode::Page, 3, 2, 1},
      {60, 20, PinMode::Page, 3, 1, 0},         {10, 200, PinMode::Page, 2, 2, 0},
      {10, 200, PinMode::ColumnOnly, 2, 16, 1}, {10, 200, PinMode::None, 2, 16, 1},
      {10, 200, PinMode::WithFloating, 2, 5, 0},
  };
  Float(d.doc, {"a", "b", "c"}, 0, 3, BlitMode::Copy);
  for (const Case& c : cases) {
    int column = 0, row = 0;
    EXPECT_EQ(DocPosToCell(*d.doc, c.x, c.y, &column, &row, c.mode), c.inside) << c.x << "," << c.y;
    EXPECT_EQ(column, c.column) << c.x << "," << c.y;
    EXPECT_EQ(row, c.row) << c.x << "," << c.y;
  }
}

}  // namespace
