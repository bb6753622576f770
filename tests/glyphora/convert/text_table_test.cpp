#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "glyphora/convert/table_record.h"
#include "glyphora/convert/text_table.h"
#include "platform/system_error.h"
#include "tests/glyphora/page_rows.h"

namespace {

using namespace glyphora;
using glyphora_test::RowsOf;
using glyphora_test::ScopedPage;
using Rows = std::vector<std::string>;

struct ScopedTable {
  SourceBlock block;
  ~ScopedTable() { Destroy(block.data); }
};

int MakeTable(ScopedTable* table, const std::string& text, int width, int vertical) {
  return TextToTable(&table->block, text.data(), static_cast<std::int32_t>(text.size()), width, vertical);
}

std::vector<int> Widths(const SourceBlock& table) {
  std::vector<int> widths;
  for (int i = 0; i < TableColumns(table); ++i) widths.push_back(TableColumnAt(table, i).width);
  return widths;
}

TEST(GlyphoraTextToTable, ColumnsRowsAndProportionalNarrowing) {
  struct Case {
    const char* name;
    std::string text;
    int width, vertical;
    int rows;
    std::vector<int> widths;
  };
  const std::string people = "Name\tAge\r\nAnn\t31\r\nBob\t4\r\n";
  const Case cases[] = {
      {"natural widths", people, 40, 3, 3, {5, 4}},
      {"fits exactly", people, 10, 0, 3, {5, 4}},
      {"narrowed", people, 8, 0, 3, {3, 4}},
      {"never below 1", people, 8, 3, 3, {1, 1}},
      {"nothing left for cells", people, 1, 2, 3, {1, 1}},
      {"last line without tab", "a\tb\r\nccc", 40, 0, 1, {2, 2}},
      {"last line with tab", "a\tb\nx\r\nccc\t", 40, 0, 2, {4, 4}},
      {"ragged rows", "a\r\nb\tc\td\r\n", 40, 1, 2, {2, 2, 2}},
      {"no rows", "", 40, 3, 0, {1}},
  };
  for (const Case& c : cases) {
    ScopedTable t;
    ASSERT_EQ(MakeTable(&t, c.text, c.width, c.vertical), 0) << c.name;
    ASSERT_TRUE(TableRecordValid(t.block)) << c.name;
    EXPECT_EQ(TableRows(t.block), c.rows) << c.name;
    EXPECT_EQ(Widths(t.block), c.widths) << c.name;
    EXPECT_EQ(std::string(TableText(t.block), static_cast<std::size_t>(TableTextLength(t.block))), c.text);
    EXPECT_EQ(TableColumnAt(t.block, 0).justify, Justify::Centre);
  }
}

TEST(GlyphoraTextToTable, RefusesWhatARecordCannotHold) {
  ScopedTable t;
  EXPECT_EQ(MakeTable(&t, "a\tb\r\n", 0, 0), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(MakeTable(&t, "a\tb\r\n", 10, 4), platform::k_ERROR_INVALID_PARAMETER);
  EXPECT_EQ(MakeTable(&t, std::string(70000, 'x') + "\t\r\n", 100000, 0), platform::k_ERROR_INVALID_DATA);
  EXPECT_EQ(MakeTable(&t, std::string(70000, '\t') + "\r\n", 100, 0), platform::k_ERROR_INVALID_DATA);
  EXPECT_EQ(t.block.data, nullptr);
}

TEST(GlyphoraTableToPage, RuleModesCrossAsPlus) {
  struct Case {
    const char* name;
    std::string text;
    int width, vertical, horizontal;
    Rows page;
  };
  const std::string two = "ab\tc\r\nd\te\r\n";
  const Case cases[] = {
      {"no rules", two, 40, 0, 0, {"ab..c.", ".d..e."}},
      {"outer rules", two, 40, 1, 1, {"+--------+", "|.ab..c..|", "|..d..e..|", "+--------+"}},
      {"every rule", two, 40, 3, 3,
       {"+-----+----+", "|.ab..|.c..|", "+-----+----+", "|..d..|.e..|", "+-----+----+"}},
      {"first column ruled off", "a\tb\tc\r\n", 40, 2, 2,
       {"+----+-------+", "|.a..|.b..c..|", "+----+-------+"}},
      {"narrow cells wrap", "abc\tx\r\n", 5, 0, 0, {"ab.x.", "c...."}},
  };
  for (const Case& c : cases) {
    ScopedTable t;
    ASSERT_EQ(MakeTable(&t, c.text, c.width, c.vertical), 0) << c.name;
    ScopedPage p;
    ASSERT_EQ(TableToPage(&p.page, &t.block, c.vertical, c.horizontal), 0) << c.name;
    EXPECT_EQ(RowsOf(p.page), c.page) << c.name;
  }
}

TEST(GlyphoraTableToPage, KeepsColumnPositionsAndRefusesBadRecords) {
  ScopedTable t;
  ASSERT_EQ(MakeTable(&t, "ab\tc\r\n", 40, 3), 0);
  ScopedPage p;
  ASSERT_EQ(TableToPage(&p.page, &t.block, 3, 2), 0);
  EXPECT_EQ(TableColumnAt(t.block, 0).position, 2);
  EXPECT_EQ(TableColumnAt(t.block, 1).position, 8);
  ScopedPage refused;
  EXPECT_EQ(TableToPage(&refused.page, &t.block, 3, 4), platform::k_ERROR_INVALID_PARAMETER);
  TableColumn zero = TableColumnAt(t.block, 1);
  zero.width = 0;
  TableSetColumn(&t.block, 1, zero);
  EXPECT_EQ(TableToPage(&refused.page, &t.block, 3, 2), platform::k_ERROR_INVALID_DATA);
  SourceBlock cut{t.block.data, t.block.size - 1};
  EXPECT_EQ(TableToPage(&refused.page, &cut, 3, 2), platform::k_ERROR_INVALID_DATA);
  EXPECT_EQ(refused.page.cells, nullptr);
}

TEST(GlyphoraRuleLines, HorizontalGrowsVerticalCrosses) {
  ScopedPage p({"ab", ".."});
  ASSERT_EQ(HorizontalLine(&p.page, 3), 0);
  VerticalLine(&p.page, 1);
  VerticalLine(&p.page, 5);  // beyond the page: nothing
  EXPECT_EQ(RowsOf(p.page), Rows({"a|", ".|", ".|", "-+"}));
  EXPECT_EQ(HorizontalLine(&p.page, -1), platform::k_ERROR_INVALID_PARAMETER);
}

}  // namespace
