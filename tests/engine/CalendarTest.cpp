#include "base/Calendar.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(Calendar, RoundTripsAcrossLeapDaysAndCenturies)
{
    for (int64_t ms : { 0LL, 951782400000LL /* 2000-02-29 */, 4107542399999LL /* 2100-02-28 end */,
             -86400000LL, 1700000000123LL }) {
        const SystemTime t = FromUnixMilliseconds(ms);
        ASSERT_TRUE(IsValidSystemTime(t) || t.year < 1601) << ms;
        EXPECT_EQ(ToUnixMilliseconds(t).value(), ms);
    }
    const SystemTime leap = FromUnixMilliseconds(951782400000LL);
    EXPECT_EQ(leap.year, 2000);
    EXPECT_EQ(leap.month, 2);
    EXPECT_EQ(leap.day, 29);
    EXPECT_EQ(leap.dayOfWeek, 2); // a Tuesday
}

TEST(Calendar, RejectsRecordsTheClockWouldRefuseWithoutNormalising)
{
    SystemTime ok { 2024, 2, 0, 29, 23, 59, 59, 999 };
    EXPECT_TRUE(IsValidSystemTime(ok));
    for (auto broken :
        { SystemTime { 2024, 0, 0, 1, 0, 0, 0, 0 }, SystemTime { 2024, 13, 0, 1, 0, 0, 0, 0 },
            SystemTime { 2023, 2, 0, 29, 0, 0, 0, 0 }, SystemTime { 2024, 1, 0, 32, 0, 0, 0, 0 },
            SystemTime { 2024, 1, 0, 1, 24, 0, 0, 0 }, SystemTime { 2024, 1, 0, 1, 0, 60, 0, 0 },
            SystemTime { 2024, 1, 0, 1, 0, 0, 60, 0 }, SystemTime { 2024, 1, 0, 1, 0, 0, 0, 1000 },
            SystemTime { 2024, 1, 0, 0, 0, 0, 0, 0 } }) {
        EXPECT_FALSE(IsValidSystemTime(broken));
        EXPECT_FALSE(ToUnixMilliseconds(broken).has_value());
    }
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
}
