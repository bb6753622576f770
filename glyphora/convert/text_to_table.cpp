#include "glyphora/convert/text_table.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "glyphora/convert/table_record.h"
#include "platform/system_error.h"

namespace glyphora {

namespace {

constexpr int k_maxRecordValue = UINT16_MAX;

// Cells lost to rules and their margins, by vertical rule mode.
int RuleOverhead(int columns, int verticalRules) {
  switch (verticalRules) {
    case 0: return columns - 1;
    case 1: return columns + 3;
    case 2: return columns + 5;
    default: return 3 * columns + 1;
  }
}

// The natural widths: the longest cell of each column + 1.
std::vector<std::int64_t> NaturalWidths(const char* text, const std::vector<TextRange>& rows) {
  std::vector<std::int64_t> widths;
  for (const TextRange& row : rows) {
    int cells = 1 + static_cast<int>(std::count(text + row.start, text + row.end, '\t'));
    if (static_cast<int>(widths.size()) < cells) widths.resize(static_cast<std::size_t>(cells), 1);
    for (int i = 0; i < cells; ++i) {
      TextRange cell = TableTextCell(text, row, i);
      widths[static_cast<std::size_t>(i)] =
          std::max<std::int64_t>(widths[static_cast<std::size_t>(i)], cell.end - cell.start + 1);
    }
  }
  return widths;
}

// Scales the running end positions by available / sum; the widths become their
// differences, at least 1. Positions are the running sums of the widths.
std::vector<std::int64_t> Positions(std::vector<std::int64_t>* widths, std::int64_t available) {
  std::vector<std::int64_t> positions;
  std::int64_t sum = 0;
  for (std::int64_t w : *widths) positions.push_back(sum += w);
  if (sum <= available) return positions;
  std::int64_t previous = 0;
  for (std::size_t i = 0; i < widths->size(); ++i) {
    positions[i] = positions[i] * available / sum;
    (*widths)[i] = std::max<std::int64_t>(positions[i] - previous, 1);
    previous = positions[i];
  }
  return positions;
}

}  // namespace

int TextToTable(SourceBlock* table, const char* text, std::int32_t length, int targetWidth,
                int verticalRules) {
  if (targetWidth < 1 || verticalRules < 0 || verticalRules > k_maxRuleMode || length < 0)
    return platform::k_ERROR_INVALID_PARAMETER;
  std::vector<TextRange> rows = TableTextRows(text, length);
  std::vector<std::int64_t> widths = NaturalWidths(text, rows);
  if (widths.empty()) widths.push_back(1);  // no row: one column, nothing in it
  int columns = static_cast<int>(widths.size());
  if (columns > k_maxRecordValue || rows.size() > static_cast<std::size_t>(k_maxRecordValue))
    return platform::k_ERROR_INVALID_DATA;
  std::vector<std::int64_t> positions =
      Positions(&widths, targetWidth - RuleOverhead(columns, verticalRules));
  if (*std::max_element(widths.begin(), widths.end()) > k_maxRecordValue)
    return platform::k_ERROR_INVALID_DATA;
  std::size_t size = k_tableHeaderSize + static_cast<std::size_t>(columns) * k_tableColumnSize +
                     static_cast<std::size_t>(length);
  unsigned char* block = static_cast<unsigned char*>(Allocate(size));
  if (block == nullptr) return platform::k_ERROR_NOT_ENOUGH_MEMORY;
  SourceBlock made{block, static_cast<std::int32_t>(size)};
  const std::uint32_t header[] = {static_cast<std::uint32_t>(columns) |
                                      (static_cast<std::uint32_t>(rows.size()) << 16),
                                  static_cast<std::uint32_t>(length)};
  for (int i = 0; i < k_tableHeaderSize; ++i)
    block[i] = static_cast<unsigned char>(header[i / 4] >> (8 * (i % 4)));
  for (int i = 0; i < columns; ++i) {
    TableColumn column;
    column.width = static_cast<int>(widths[static_cast<std::size_t>(i)]);
    column.position = static_cast<int>(
        std::clamp<std::int64_t>(positions[static_cast<std::size_t>(i)], 0, k_maxRecordValue));
    TableSetColumn(&made, i, column);
  }
  std::memcpy(block + size - static_cast<std::size_t>(length), text, static_cast<std::size_t>(length));
  *table = made;
  return 0;
}

}  // namespace glyphora
