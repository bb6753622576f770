// Header field lookup: trimming, fields with their continuation lines, 8-bit checks.
#include <cstddef>

#include "quillet/message/header/header_text.h"
#include "quillet/message/header/header_utils.h"

using header_text::IsBlank;
using gbk::UpperCase;

std::string Trim(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void TrimEmptyLines(TStringList& lines) {
  std::size_t end = lines.size();
  while (end > 0 && lines[end - 1].empty()) --end;
  lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(end), lines.end());
  std::size_t begin = 0;
  while (begin < lines.size() && lines[begin].empty()) ++begin;
  lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(begin));
}

namespace {

bool IsContinuation(const std::string& line) { return !line.empty() && IsBlank(line[0]); }

// Index of the first line that starts with the field name (any case) and holds a ":",
// or header.size().
std::size_t FindField(const TStringList& header, const std::string& fieldName) {
  const std::string wanted = UpperCase(fieldName);
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string& line = header[i];
    if (line.size() < wanted.size() || line.find(':') == std::string::npos) continue;
    if (UpperCase(line.substr(0, wanted.size())) == wanted) return i;
  }
  return header.size();
}

void AppendWithSpace(std::string& value, const std::string& piece) {
  if (piece.empty()) return;
  if (!value.empty()) value += ' ';
  value += piece;
}

}  // namespace

std::string GetField(const TStringList& header, const std::string& fieldName) {
  std::size_t index = FindField(header, fieldName);
  if (index == header.size()) return std::string();
  const std::string& line = header[index];
  std::string value = Trim(line.substr(line.find(':') + 1));
  for (std::size_t i = index + 1; i < header.size() && IsContinuation(header[i]); ++i)
    AppendWithSpace(value, Trim(header[i]));
  return value;
}

// The value is unfolded before it is split, so an item folded over two lines
// ("Name" on one, "<address>" on the next) stays one item.
void GetFieldValues(const TStringList& header, const std::string& fieldName, TStringList& values) {
  SplitCommaList(GetField(header, fieldName), values);
}

bool HasEightBit(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 128) return true;
  return false;
}

bool HasEightBit(const TStringList& lines) {
  for (const std::string& line : lines)
    if (HasEightBit(line)) return true;
  return false;
}
