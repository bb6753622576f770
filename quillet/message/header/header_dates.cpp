// The date line: written as "Mon, 7 Dec 1998 9:5:3 +0800", read back leniently.
#include <cmath>
#include <cstddef>
#include <cstdio>

#include "platform/clock.h"
#include "quillet/message/header/header_text.h"
#include "quillet/message/header/header_utils.h"

namespace {

const char* const k_dayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const k_monthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A run of 1 to 9 digits, nothing else.
bool ParseNumber(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return false;
    value = value * 10 + (c - '0');
  }
  return true;
}

// 1..12 for an English month name (any case; a longer name such as "December" counts by
// its first three letters); 0 otherwise.
int MonthNumber(const std::string& name) {
  if (name.size() < 3) return 0;
  const std::string prefix = gbk::UpperCase(name.substr(0, 3));
  for (int i = 0; i < 12; ++i)
    if (gbk::UpperCase(k_monthNames[i]) == prefix) return i + 1;
  return 0;
}

// Two-digit years 00..49 are 2000..2049 and 50..99 are 1950..1999, three-digit years
// count from 1900; longer years stand as written.
int FullYear(int year, std::size_t digits) {
  if (digits <= 2) return year < 50 ? year + 2000 : year + 1900;
  if (digits == 3) return year + 1900;
  return year;
}

// Splits off the text from pos up to the first of the stop characters (or the end) and
// moves pos past that character and any blanks after it.
std::string NextToken(const std::string& text, std::size_t& pos, const char* stops) {
  std::size_t end = text.find_first_of(stops, pos);
  if (end == std::string::npos) end = text.size();
  std::string token = text.substr(pos, end - pos);
  pos = end < text.size() ? end + 1 : end;
  while (pos < text.size() && header_text::IsBlank(text[pos])) ++pos;
  return token;
}

bool TryParseDate(const std::string& text, TDateTime& result) {
  std::size_t pos = 0;
  while (pos < text.size() && !IsDigit(text[pos])) ++pos;
  TDateParts parts;
  const std::string dayText = NextToken(text, pos, " \t");
  const std::string monthText = NextToken(text, pos, " \t");
  const std::string yearText = NextToken(text, pos, " \t");
  const std::string hourText = NextToken(text, pos, ":");
  const std::string minuteText = NextToken(text, pos, ": \t");
  if (!ParseNumber(dayText, parts.day) || !ParseNumber(yearText, parts.year) ||
      !ParseNumber(hourText, parts.hour) || !ParseNumber(minuteText, parts.minute))
    return false;
  parts.month = MonthNumber(monthText);
  if (parts.month == 0) return false;
  parts.year = FullYear(parts.year, yearText.size());
  return TryEncodeDateTime(parts, result);
}

}  // namespace

std::string FormatZone(int biasMinutes) {
  // The bias is minutes to add to local time for UTC, so a zone east of Greenwich has a
  // negative bias and a "+" offset. The minutes of a zone such as UTC+5:30 are written
  // too: dropping them would date every message half an hour wrong.
  // Computed in 64 bits, so that no bias overflows when negated.
  const long long offset = -static_cast<long long>(biasMinutes);
  const int magnitude = static_cast<int>((offset < 0 ? -offset : offset) % (100 * 60));
  char zone[8];
  std::snprintf(zone, sizeof zone, "%s%2.2d%2.2d", offset >= 0 ? "+" : "-", magnitude / 60, magnitude % 60);
  return zone;
}

std::string FormatDate(TDateTime now, int biasMinutes) {
  // A value outside the years 1..9999 is written as day 0, as DecodeDateTime reads it.
  if (!std::isfinite(now) || now < -693593.0 || now > 2958466.0) now = 0;
  const TDateParts p = DecodeDateTime(now);
  char line[80];
  // The year has at least four digits: a shorter one would read back as a year of the
  // 1900s or 2000s (400 as 2300), changing the date, or losing it when that day does not
  // exist there (29 Feb).
  std::snprintf(line, sizeof line, "%s, %d %s %04d %d:%d:%d %s", k_dayNames[DayOfWeek(now)], p.day,
                k_monthNames[p.month - 1], p.year, p.hour, p.minute, p.second, FormatZone(biasMinutes).c_str());
  return line;
}

std::string FormatDate(TDateTime now) { return FormatDate(now, platform::TimeZoneBiasMinutes()); }

TDateTime ParseDate(const std::string& text) {
  TDateTime result;
  if (TryParseDate(text, result)) return result;
  return Now();
}
