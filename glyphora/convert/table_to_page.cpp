#include <algorithm>
#include <vector>

#include "glyphora/convert/table_record.h"
#include "glyphora/convert/text_table.h"
#include "glyphora/document/page/page_blit.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

// Whether a horizontal rule follows row index of count rows.
bool RuleAfterRow(int horizontalRules, int index, int count) {
  bool last = index == count - 1;
  switch (horizontalRules) {
    case 1: return last;
    case 2: return index == 0 || last;
    case 3: return true;
    default: return false;
  }
}

// Whether a vertical rule stands two cells before column index.
bool RuleBeforeColumn(int verticalRules, int index) {
  switch (verticalRules) {
    case 1: return index == 0;
    case 2: return index <= 1;
    case 3: return true;
    default: return false;
  }
}

// Gives every column its position on the page; returns the page width.
int PlaceColumns(SourceBlock* table, int verticalRules) {
  int columns = TableColumns(*table);
  int x = verticalRules != 0 ? 2 : 0;
  for (int i = 0; i < columns; ++i) {
    TableColumn column = TableColumnAt(*table, i);
    column.position = x;
    TableSetColumn(table, i, column);
    x += column.width + 1;
    bool last = i == columns - 1;
    if ((verticalRules == 1 && last) || (verticalRules == 2 && (i == 0 || last)) ||
        verticalRules == 3)
      x += 2;
  }
  return x - 1;
}

// Lays out the cells of one row at *row, growing the page; moves *row past them.
int PutRow(Page* page, const SourceBlock& table, const TextRange& range, int* row) {
  int tallest = 0;
  for (int i = 0; i < TableColumns(table); ++i) {
    TableColumn column = TableColumnAt(table, i);
    TextRange cell = TableTextCell(TableText(table), range, i);
    Page laid;
    int error = TextToPage(&laid, column.width, 0, column.justify, TableText(table) + cell.start,
                           cell.end - cell.start);
    if (error == 0 && *row + laid.height > page->height)
      error = PageResize(page, page->width, *row + laid.height);
    if (error == 0) PageMerge(page, laid, column.position, *row, BlitMode::Copy);
    if (laid.height > tallest) tallest = laid.height;
    PageKill(&laid);
    if (error != 0) return error;
  }
  *row += tallest;
  return 0;
}

int PutRows(Page* page, const SourceBlock& table, int horizontalRules) {
  std::vector<TextRange> rows = TableTextRows(TableText(table), TableTextLength(table));
  int count = std::min(static_cast<int>(rows.size()), TableRows(table));
  int row = 0;
  int error = 0;
  if (horizontalRules != 0) error = HorizontalLine(page, row++);
  for (int i = 0; i < count && error == 0; ++i) {
    error = PutRow(page, table, rows[static_cast<std::size_t>(i)], &row);
    if (error == 0 && RuleAfterRow(horizontalRules, i, count)) error = HorizontalLine(page, row++);
  }
  return error;
}

}  // namespace

int TableToPage(Page* page, SourceBlock* table, int verticalRules, int horizontalRules) {
  if (verticalRules < 0 || verticalRules > k_maxRuleMode || horizontalRules < 0 ||
      horizontalRules > k_maxRuleMode)
    return platform::k_ERROR_INVALID_PARAMETER;
  if (!TableRecordValid(*table)) return platform::k_ERROR_INVALID_DATA;
  int width = PlaceColumns(table, verticalRules);
  if (width > INT16_MAX) return platform::k_ERROR_INVALID_DATA;
  Page made;
  int error = PageNew(&made, width, 0);
  if (error == 0) error = PutRows(&made, *table, horizontalRules);
  if (error != 0) {
    PageKill(&made);
    return error;
  }
  for (int i = 0; i < TableColumns(*table); ++i)
    if (RuleBeforeColumn(verticalRules, i)) VerticalLine(&made, TableColumnAt(*table, i).position - 2);
  if (verticalRules != 0) VerticalLine(&made, made.width - 1);
  *page = made;
  return 0;
}

}  // namespace glyphora
