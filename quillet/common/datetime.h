// Date-time values as the mail core keeps them: a double counting days since
// 30 December 1899, the fraction being the time of day. Before that day the value is
// negative and its fraction still counts forward from midnight (-1.25 is 29 December
// 1899, 06:00), so whole days and times of day are taken apart separately.
#pragma once

#include <cstdint>

using TDateTime = double;

struct TDateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// False when a field is out of range (year 1..9999).
bool TryEncodeDate(int year, int month, int day, TDateTime& result);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& result);
// Date plus time of day, honouring the sign rule above.
bool TryEncodeDateTime(const TDateParts& parts, TDateTime& result);
TDateParts DecodeDateTime(TDateTime value);
// 0 = Sunday.
int DayOfWeek(TDateTime value);
// The local time now.
TDateTime Now();
