#include "platform/clock.h"

#include <windows.h>

namespace platform {

LocalTime LocalNow() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds,
                   st.wDayOfWeek};
}

int TimeZoneBiasMinutes() {
  TIME_ZONE_INFORMATION tz;
  DWORD mode = GetTimeZoneInformation(&tz);
  LONG bias = tz.Bias;
  if (mode == TIME_ZONE_ID_DAYLIGHT) bias += tz.DaylightBias;
  else if (mode == TIME_ZONE_ID_STANDARD) bias += tz.StandardBias;
  return static_cast<int>(bias);
}

}  // namespace platform
