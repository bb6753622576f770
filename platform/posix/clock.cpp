#include "platform/clock.h"

#include <sys/time.h>
#include <time.h>

namespace platform {

LocalTime LocalNow() {
  struct timeval tv;
  gettimeofday(&tv, nullptr);
  struct tm local;
  time_t seconds = tv.tv_sec;
  localtime_r(&seconds, &local);
  return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                   local.tm_min, local.tm_sec, static_cast<int>(tv.tv_usec / 1000), local.tm_wday};
}

int TimeZoneBiasMinutes() {
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  return static_cast<int>(-local.tm_gmtoff / 60);
}

}  // namespace platform
