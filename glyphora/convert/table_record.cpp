#include "glyphora/convert/table_record.h"

namespace glyphora {

namespace {

unsigned ReadUint16(const unsigned char* p) { return p[0] | (p[1] << 8); }

void WriteUint16(unsigned char* p, int value) {
  p[0] = static_cast<unsigned char>(value & 0xFF);
  p[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

std::int64_t ColumnOffset(int index) {
  return k_tableHeaderSize + static_cast<std::int64_t>(index) * k_tableColumnSize;
}

}  // namespace

std::vector<TextRange> TableTextRows(const char* text, std::int32_t length) {
  std::vector<TextRange> rows;
  TextRange row;
  bool tab = false;
  for (std::int32_t i = 0; i < length; ++i) {
    if (text[i] == '\t') tab = true;
    if (text[i] != '\r') continue;
    row.end = i;
    rows.push_back(row);
    if (i + 1 < length && text[i + 1] == '\n') ++i;
    row.start = i + 1;
    tab = false;
  }
  if (tab) rows.push_back(TextRange{row.start, length});
  return rows;
}

TextRange TableTextCell(const char* text, const TextRange& row, int index) {
  std::int32_t at = row.start;
  for (int n = 0; n < index; ++n) {
    while (at < row.end && text[at] != '\t') ++at;
    if (at == row.end) return TextRange{row.end, row.end};
    ++at;
  }
  std::int32_t end = at;
  while (end < row.end && text[end] != '\t') ++end;
  return TextRange{at, end};
}

bool TableRecordValid(const SourceBlock& table) {
  if (table.data == nullptr || table.size < k_tableHeaderSize) return false;
  int columns = TableColumns(table);
  std::int64_t textLength = static_cast<std::uint32_t>(TableTextLength(table));
  if (ColumnOffset(columns) + textLength != table.size) return false;
  for (int i = 0; i < columns; ++i) {
    TableColumn column = TableColumnAt(table, i);
    if (column.width < 1 || static_cast<int>(column.justify) > 3) return false;
  }
  return true;
}

int TableColumns(const SourceBlock& table) { return static_cast<int>(ReadUint16(table.data)); }

int TableRows(const SourceBlock& table) { return static_cast<int>(ReadUint16(table.data + 2)); }

std::int32_t TableTextLength(const SourceBlock& table) {
  const unsigned char* p = table.data + 4;
  return static_cast<std::int32_t>(ReadUint16(p) | (static_cast<std::uint32_t>(ReadUint16(p + 2)) << 16));
}

const char* TableText(const SourceBlock& table) {
  return reinterpret_cast<const char*>(table.data + ColumnOffset(TableColumns(table)));
}

TableColumn TableColumnAt(const SourceBlock& table, int index) {
  const unsigned char* p = table.data + ColumnOffset(index);
  TableColumn column;
  column.width = static_cast<int>(ReadUint16(p));
  column.position = static_cast<int>(ReadUint16(p + 2));
  column.justify = static_cast<Justify>(p[4]);
  return column;
}

void TableSetColumn(SourceBlock* table, int index, const TableColumn& column) {
  unsigned char* p = table->data + ColumnOffset(index);
  WriteUint16(p, column.width);
  WriteUint16(p + 2, column.position);
  p[4] = static_cast<unsigned char>(column.justify);
  p[5] = 0;
}

}  // namespace glyphora
