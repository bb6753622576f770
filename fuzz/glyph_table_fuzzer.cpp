// Tab-separated text made into a table record and laid out: the first byte is the
// target width, the second the rule modes; the rest is the text. The page must be as
// wide as the columns' positions say, and a record cut short must be refused.
#include <cstdint>
#include <cstdlib>

#include "glyphora/convert/table_record.h"
#include "glyphora/convert/text_table.h"

using namespace glyphora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size < 2 || size > 1 << 16) return 0;
  int width = data[0] + 1;
  int vertical = data[1] & 3, horizontal = (data[1] >> 2) & 3;
  const char* text = reinterpret_cast<const char*>(data + 2);
  SourceBlock table;
  if (TextToTable(&table, text, static_cast<std::int32_t>(size - 2), width, vertical) != 0) return 0;
  if (!TableRecordValid(table)) std::abort();
  Page page;
  if (TableToPage(&page, &table, vertical, horizontal) == 0) {
    int last = TableColumns(table) - 1;
    TableColumn column = TableColumnAt(table, last);
    int ruled = vertical == 0 ? 0 : 2;
    if (page.width != column.position + column.width + ruled) std::abort();
    PageKill(&page);
  }
  SourceBlock cut{table.data, table.size - 1};
  if (TableToPage(&page, &cut, vertical, horizontal) == 0) std::abort();
  Destroy(table.data);
  return 0;
}
