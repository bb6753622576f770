// Tab-separated text laid out as a ruled table.
#pragma once

#include <cstdint>

#include "glyphora/document/doc_state.h"
#include "glyphora/document/page/page.h"

namespace glyphora {

// Rules between columns (vertical) and between rows (horizontal), 0 ... 3 each:
//   vertical:   0 none, 1 left and right edges, 2 also after the first column, 3 every column
//   horizontal: 0 none, 1 top and bottom, 2 also under the first row, 3 under every row
constexpr int k_maxRuleMode = 3;

// Makes the table record (table_record.h) for text: a column is as wide as its longest
// cell + 1, centred; when the columns and the cells between the vertical rules would pass
// targetWidth, the columns are narrowed in proportion, none below 1. *table (Allocate)
// belongs to the caller. k_ERROR_INVALID_PARAMETER for a target width below 1 or a rule
// mode outside 0 ... 3; k_ERROR_INVALID_DATA when the text has more than 65535 rows or
// columns, or a column that cannot be narrowed into 16 bits.
int TextToTable(SourceBlock* table, const char* text, std::int32_t length, int targetWidth,
                int verticalRules);

// Lays out a table record on a new page (the caller's): every cell with the text layout
// at its column's width and justification, rows as tall as their tallest cell, rules
// drawn with HorizontalLine and VerticalLine. Writes the columns' positions on the page
// into the record. k_ERROR_INVALID_DATA for a record that is not well formed,
// k_ERROR_INVALID_PARAMETER for a rule mode outside 0 ... 3.
int TableToPage(Page* page, SourceBlock* table, int verticalRules, int horizontalRules);

// Fills row with "-", first growing the page down to it when it lies below the last row.
int HorizontalLine(Page* page, int row);
// Writes "+" in column where a cell holds "-" (so rules cross as "+"), "|" elsewhere.
void VerticalLine(Page* page, int column);

}  // namespace glyphora
