#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "platform/clock.h"
#include "quillet/message/header/header_utils.h"

namespace {

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  TDateParts parts;
  parts.year = year; parts.month = month; parts.day = day;
  parts.hour = hour; parts.minute = minute; parts.second = second;
  TDateTime value = 0;
  EXPECT_TRUE(TryEncodeDateTime(parts, value));
  return value;
}

constexpr double k_oneSecond = 1.0 / 86400.0;

::testing::AssertionResult IsNow(TDateTime value) {
  TDateTime now = Now();
  if (std::fabs(value - now) < 5 * k_oneSecond) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << value << " is not the current time " << now;
}

TEST(FormatDate, FieldsAreNotZeroPadded) {
  EXPECT_EQ(FormatDate(At(1998, 12, 7, 9, 5, 3), -480), "Mon, 7 Dec 1998 9:5:3 +0800");
  EXPECT_EQ(FormatDate(At(2024, 2, 29, 23, 59, 59), 0), "Thu, 29 Feb 2024 23:59:59 +0000");
  EXPECT_EQ(FormatDate(At(2000, 1, 1, 0, 0, 0), 300), "Sat, 1 Jan 2000 0:0:0 -0500");
}

TEST(FormatDate, YearsBeforeOneThousandReadBackAsWritten) {
  for (int year : {1, 99, 400}) {
    const TDateTime value = At(year, 2, year == 400 ? 29 : 28, 2, 1, 0);
    EXPECT_EQ(ParseDate(FormatDate(value, 0)), value) << year;
  }
  EXPECT_EQ(FormatDate(At(400, 2, 29, 2, 1, 0), 0).substr(0, 16), "Tue, 29 Feb 0400");
}

TEST(FormatDate, UsesTheSystemZone) {
  TDateTime value = At(2001, 7, 15, 12, 30, 0);
  EXPECT_EQ(FormatDate(value), "Sun, 15 Jul 2001 12:30:0 " + FormatZone(platform::TimeZoneBiasMinutes()));
}

TEST(FormatDate, ValueOutsideTheCalendarDoesNotCrash) {
  EXPECT_EQ(FormatDate(NAN, 0), "Sat, 30 Dec 1899 0:0:0 +0000");
  EXPECT_EQ(FormatDate(1e12, 0), "Sat, 30 Dec 1899 0:0:0 +0000");
}

TEST(FormatZone, SignFollowsTheBiasAndHoursAreAbsolute) {
  EXPECT_EQ(FormatZone(-480), "+0800");
  EXPECT_EQ(FormatZone(300), "-0500");
  EXPECT_EQ(FormatZone(0), "+0000");
  EXPECT_EQ(FormatZone(60), "-0100");
  EXPECT_EQ(FormatZone(-720), "+1200");
  EXPECT_EQ(FormatZone(600), "-1000");
}

TEST(FormatZone, MinutesOfTheZoneAreKept) {
  EXPECT_EQ(FormatZone(-330), "+0530");  // UTC+5:30
  EXPECT_EQ(FormatZone(210), "-0330");   // UTC-3:30
  EXPECT_EQ(FormatZone(-345), "+0545");  // UTC+5:45
  EXPECT_EQ(FormatZone(30), "-0030");
}

TEST(FormatZone, AnyBiasGivesASignAndFourDigits) {
  for (int bias : {INT_MIN, INT_MIN + 1, INT_MAX, 100 * 60}) {
    const std::string zone = FormatZone(bias);
    ASSERT_EQ(zone.size(), 5u) << bias;
    EXPECT_EQ(zone[0], bias < 0 ? '+' : '-') << bias;
  }
}

TEST(ParseDate, ReadsDayMonthYearHourMinute) {
  EXPECT_EQ(ParseDate("Mon, 7 Dec 1998 09:05:03 +0800"), At(1998, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("Date: Tue, 18 aug 2015 23:59:59 -0700 (PDT)"), At(2015, 8, 18, 23, 59, 0));
  EXPECT_EQ(ParseDate("  7  DEC  1998   9:5"), At(1998, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("1 December 2003 10:20:30"), At(2003, 12, 1, 10, 20, 0));
  EXPECT_EQ(ParseDate("Mon, 7 Dec 1998 09:05 +0800"), At(1998, 12, 7, 9, 5, 0));
}

TEST(ParseDate, ReadsWhatFormatDateWrites) {
  TDateTime value = At(2010, 3, 4, 5, 6, 0);
  EXPECT_EQ(ParseDate(FormatDate(value, -480)), value);
}

TEST(ParseDate, TwoAndThreeDigitYears) {
  EXPECT_EQ(ParseDate("7 Dec 98 9:05:03"), At(1998, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("7 Dec 51 9:05:03"), At(1951, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("7 Dec 50 9:05:03"), At(1950, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("7 Dec 49 9:05:03"), At(2049, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("7 Dec 05 9:05:03"), At(2005, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("7 Dec 0 9:05:03"), At(2000, 12, 7, 9, 5, 0));
  EXPECT_EQ(ParseDate("7 Dec 103 9:05:03"), At(2003, 12, 7, 9, 5, 0));
}

TEST(ParseDate, UnreadableTextGivesTheCurrentTime) {
  EXPECT_TRUE(IsNow(ParseDate("")));
  EXPECT_TRUE(IsNow(ParseDate("no digits at all")));
  EXPECT_TRUE(IsNow(ParseDate("7 Foo 1998 9:05:03")));
  EXPECT_TRUE(IsNow(ParseDate("7 Dec 1998")));
  EXPECT_TRUE(IsNow(ParseDate("7 Dec 19x8 9:05:03")));
  EXPECT_TRUE(IsNow(ParseDate("31 Feb 1998 9:05:03")));
  EXPECT_TRUE(IsNow(ParseDate("7 Dec 1998 24:05:03")));
  EXPECT_TRUE(IsNow(ParseDate("07-Dec-1998 9:05:03")));
  EXPECT_TRUE(IsNow(ParseDate("99999999999 Dec 1998 9:05:03")));
}

}  // namespace
