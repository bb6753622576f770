// The table record, the source of a floating selection made from tab-separated text:
//   columns (16-bit), rows (16-bit), text length (32-bit), then 6 bytes per column:
//   width (16-bit, cells), position (16-bit), justification (8-bit), one spare byte;
//   then the text as pasted. All little-endian.
// Rows of the text end with CR (an LF after it belongs to it); a last line without CR
// is a row only if it holds a tab. Cells are separated by tabs.
#pragma once

#include <cstdint>
#include <vector>

#include "glyphora/convert/text_to_page.h"
#include "glyphora/document/doc_state.h"

namespace glyphora {

struct TableColumn {
  int width = 0;
  int position = 0;
  Justify justify = Justify::Centre;
};

constexpr int k_tableHeaderSize = 8;
constexpr int k_tableColumnSize = 6;

// A run of text: [start, end).
struct TextRange {
  std::int32_t start = 0;
  std::int32_t end = 0;
};

// The rows of tab-separated text, line ends excluded.
std::vector<TextRange> TableTextRows(const char* text, std::int32_t length);
// Cell index of a row (empty past its last tab).
TextRange TableTextCell(const char* text, const TextRange& row, int index);

// Reading and writing a record. TableRecordValid checks the sizes, a width of at least
// 1 and a justification of 0 ... 3 for every column, before anything else reads it.
bool TableRecordValid(const SourceBlock& table);
int TableColumns(const SourceBlock& table);
int TableRows(const SourceBlock& table);
const char* TableText(const SourceBlock& table);
std::int32_t TableTextLength(const SourceBlock& table);
TableColumn TableColumnAt(const SourceBlock& table, int index);
void TableSetColumn(SourceBlock* table, int index, const TableColumn& column);

}  // namespace glyphora
