#include <gtest/gtest.h>

#include "quillet/common/datetime.h"

namespace {

TEST(DateTime, EpochAndKnownDays) {
  TDateTime d;
  ASSERT_TRUE(TryEncodeDate(1899, 12, 30, d));
  EXPECT_EQ(d, 0.0);
  ASSERT_TRUE(TryEncodeDate(1900, 1, 1, d));
  EXPECT_EQ(d, 2.0);
  ASSERT_TRUE(TryEncodeDate(2000, 1, 1, d));
  EXPECT_EQ(d, 36526.0);
  ASSERT_TRUE(TryEncodeDate(1, 1, 1, d));
  EXPECT_EQ(d, -693593.0);
  EXPECT_FALSE(TryEncodeDate(2001, 2, 29, d));
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29, d));
}

TEST(DateTime, RoundTripsDateAndTimeBothSidesOfTheEpoch) {
  for (TDateParts p : {TDateParts{1998, 12, 7, 9, 5, 3, 0}, TDateParts{99, 3, 1, 23, 59, 59, 0},
                       TDateParts{1899, 12, 29, 6, 0, 0, 0}, TDateParts{2026, 12, 31, 0, 0, 1, 0}}) {
    TDateTime v;
    ASSERT_TRUE(TryEncodeDateTime(p, v));
    TDateParts q = DecodeDateTime(v);
    EXPECT_EQ(q.year, p.year);
    EXPECT_EQ(q.month, p.month);
    EXPECT_EQ(q.day, p.day);
    EXPECT_EQ(q.hour, p.hour);
    EXPECT_EQ(q.minute, p.minute);
    EXPECT_EQ(q.second, p.second);
  }
  TDateTime v;
  ASSERT_TRUE(TryEncodeDateTime(TDateParts{1899, 12, 29, 6, 0, 0, 0}, v));
  EXPECT_DOUBLE_EQ(v, -1.25);
}

TEST(DateTime, DayOfWeek) {
  TDateTime d;
  ASSERT_TRUE(TryEncodeDate(1998, 12, 7, d));
  EXPECT_EQ(DayOfWeek(d), 1);  // a Monday
  ASSERT_TRUE(TryEncodeDate(2026, 12, 8, d));
  EXPECT_EQ(DayOfWeek(d), 2);  // a Tuesday
}

}  // namespace
