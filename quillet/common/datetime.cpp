#include "quillet/common/datetime.h"

#include <cmath>

#include "platform/clock.h"

namespace {
constexpr std::int64_t k_daysToEpoch = 693593;  // day number (from 0001-01-01 = 0) of 1899-12-30
constexpr double k_msPerDay = 86400000.0;

// Days from 0001-01-01 (day 0) to the given date.
std::int64_t DayNumber(int year, int month, int day) {
  static const int k_before[2][13] = {{0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                      {0, 0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};
  std::int64_t y = year - 1;
  return y * 365 + y / 4 - y / 100 + y / 400 + k_before[IsLeapYear(year) ? 1 : 0][month] + day - 1;
}

void DateOfDayNumber(std::int64_t n, int& year, int& month, int& day) {
  // 400-year cycles of 146097 days, 100-year of 36524, 4-year of 1461, years of 365.
  std::int64_t y400 = n / 146097; n %= 146097;
  std::int64_t y100 = n / 36524; n %= 36524;
  if (y100 == 4) { y100 = 3; n += 36524; }
  std::int64_t y4 = n / 1461; n %= 1461;
  std::int64_t y1 = n / 365; n %= 365;
  if (y1 == 4) { y1 = 3; n += 365; }
  year = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
  month = 1;
  while (n >= DaysInMonth(year, month)) { n -= DaysInMonth(year, month); ++month; }
  day = static_cast<int>(n) + 1;
}
}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int k_days[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : k_days[month];
}

bool TryEncodeDate(int year, int month, int day, TDateTime& result) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  result = static_cast<double>(DayNumber(year, month, day) - k_daysToEpoch);
  return true;
}

bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
      millisecond > 999)
    return false;
  result = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond;
  result /= k_msPerDay;
  return true;
}

bool TryEncodeDateTime(const TDateParts& p, TDateTime& result) {
  TDateTime date, time;
  if (!TryEncodeDate(p.year, p.month, p.day, date) || !TryEncodeTime(p.hour, p.minute, p.second, p.millisecond, time))
    return false;
  result = date >= 0 ? date + time : date - time;
  return true;
}

TDateParts DecodeDateTime(TDateTime value) {
  TDateParts p;
  if (!std::isfinite(value) || value < -693593.0 || value > 2958466.0) return p;  // out of 0001..9999
  double whole = std::trunc(value);
  double fraction = std::fabs(value - whole);
  std::int64_t ms = static_cast<std::int64_t>(std::llround(fraction * k_msPerDay));
  std::int64_t dayNumber = static_cast<std::int64_t>(whole) + k_daysToEpoch;
  if (ms >= static_cast<std::int64_t>(k_msPerDay)) {  // rounding reached the next midnight
    ms -= static_cast<std::int64_t>(k_msPerDay);
    dayNumber += value >= 0 ? 1 : -1;
  }
  DateOfDayNumber(dayNumber, p.year, p.month, p.day);
  p.millisecond = static_cast<int>(ms % 1000); ms /= 1000;
  p.second = static_cast<int>(ms % 60); ms /= 60;
  p.minute = static_cast<int>(ms % 60); ms /= 60;
  p.hour = static_cast<int>(ms);
  return p;
}

int DayOfWeek(TDateTime value) {
  // 1899-12-30 was a Saturday.
  if (!std::isfinite(value) || std::fabs(value) > 3.0e6) return 6;
  std::int64_t days = static_cast<std::int64_t>(std::trunc(value));
  int w = static_cast<int>(((days + 6) % 7 + 7) % 7);
  return w;
}

TDateTime Now() {
  platform::LocalTime t = platform::LocalNow();
  TDateParts p{t.year, t.month, t.day, t.hour, t.minute, t.second, t.millisecond};
  TDateTime result = 0;
  TryEncodeDateTime(p, result);
  return result;
}
