#include "quillet/store/system/message_export.h"

#include <cstdio>

namespace {

constexpr char k_fromLine[] = "From ";
constexpr std::size_t k_fromLength = sizeof k_fromLine - 1;

std::string SeparatorLine(TDateTime date) {
  static const char* const k_days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const k_months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const TDateParts p = DecodeDateTime(date);
  char line[64];
  std::snprintf(line, sizeof line, "From - %s %s %2d %02d:%02d:%02d %04d\r\n", k_days[DayOfWeek(date)],
                k_months[p.month - 1], p.day, p.hour, p.minute, p.second, p.year);
  return line;
}

// True when the line starting at `start` is ">"* then "From ".
bool NeedsQuote(const std::string& text, std::size_t start) {
  std::size_t at = start;
  while (at < text.size() && text[at] == '>') ++at;
  return text.compare(at, k_fromLength, k_fromLine) == 0;
}

void AppendQuoted(const std::string& text, std::string& out) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    if (NeedsQuote(text, start)) out += '>';
    out.append(text, start, end - start);
    start = end;
  }
  if (!text.empty() && text.back() != '\n') out += "\r\n";
}

}  // namespace

std::string ExportFileText(const std::vector<TExportedMessage>& messages) {
  if (messages.size() == 1) return messages.front().text;
  std::string out;
  for (const TExportedMessage& message : messages) {
    out += SeparatorLine(message.date);
    AppendQuoted(message.text, out);
    out += "\r\n";
  }
  return out;
}
