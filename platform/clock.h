// Wall-clock time as the mail core needs it: local broken-down time and the zone bias.
#pragma once

namespace platform {

struct LocalTime {
  int year, month, day;          // month 1..12, day 1..31
  int hour, minute, second, millisecond;
  int dayOfWeek;                 // 0 = Sunday
};

// The local time now, from the system clock.
LocalTime LocalNow();
// Minutes to add to local time to get UTC (east of Greenwich is negative: UTC+8 gives -480),
// daylight saving included, as the Windows time-zone bias.
int TimeZoneBiasMinutes();

}  // namespace platform
