#include "engine/nettime/NtpTime.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using namespace velarin;

namespace {
NtpTime stamp(uint32_t seconds, uint32_t fraction)
{
    return NtpTime((static_cast<uint64_t>(seconds) << 32) | fraction);
}
} // namespace

TEST(NtpTime, ConvertsBrokenDownTimeBothWays)
{
    const NtpTime newYear2004 = NtpTime::FromSystemTime({ 2004, 1, 0, 1, 0, 0, 0, 0 });
    EXPECT_EQ(
        std::tuple(newYear2004.Seconds(), newYear2004.Fraction()), std::tuple(3281904000u, 0u));
    EXPECT_EQ(NtpTime::JulianDayNumber(2004, 1, 1), 2453006);
    EXPECT_EQ(NtpTime::JulianDayNumber(1900, 1, 1), NtpTime::kJdnOf1900);
    EXPECT_EQ(newYear2004.ToSystemTime(), (SystemTime { 2004, 1, 4, 1, 0, 0, 0, 0 })); // a Thursday

    const NtpTime halfSecond = NtpTime::FromSystemTime({ 1900, 1, 0, 1, 0, 0, 0, 500 });
    EXPECT_EQ(std::tuple(halfSecond.Seconds(), halfSecond.Fraction(),
                  halfSecond.ToSystemTime().milliseconds, NtpTime::MillisecondFraction(1),
                  NtpTime::MillisecondFraction(999)),
        std::tuple(0u, 2147483648u, 500, 4294967u, 4290672329u));

    // Every millisecond of a leap day survives the round trip, and dates across the calendar.
    for (int ms = 0; ms < 1000; ++ms) {
        const SystemTime t { 2024, 2, 4, 29, 23, 59, 59, static_cast<uint16_t>(ms) };
        EXPECT_EQ(NtpTime::FromSystemTime(t).ToSystemTime(), t) << ms;
    }
    for (const SystemTime& t :
        { SystemTime { 1999, 12, 5, 31, 12, 0, 1, 7 }, SystemTime { 2000, 2, 2, 29, 1, 2, 3, 4 },
            SystemTime { 2035, 3, 4, 1, 0, 0, 0, 0 } }) {
        EXPECT_EQ(NtpTime::FromSystemTime(t).ToSystemTime(), t);
    }
}

TEST(NtpTime, RoundingToAWholeSecondCarriesIntoTheDateAndSumsFollowTheFixedPointRules)
{
    // Within half a millisecond of midnight: the record is the next day, 0 ms, one the clock
    // accepts (999.9995 ms would otherwise give milliseconds = 1000).
    const NtpTime lastMoment = NtpTime::FromSystemTime({ 2004, 12, 0, 31, 23, 59, 59, 0 });
    const SystemTime carried = stamp(lastMoment.Seconds(), 0xFFFFFFFFu).ToSystemTime();
    EXPECT_EQ(carried, (SystemTime { 2005, 1, 6, 1, 0, 0, 0, 0 }));

    EXPECT_DOUBLE_EQ(stamp(10, 0x80000000u) - stamp(12, 0x40000000u), -1.75);
    EXPECT_DOUBLE_EQ(stamp(12, 0x40000000u) - stamp(10, 0x80000000u), 1.75);

    EXPECT_EQ(stamp(100, 0) + -1.5, stamp(98, 2147483649u));
    EXPECT_EQ(stamp(100, 0) + 2.25, stamp(102, static_cast<uint32_t>(0.25 * 4294967295.0)));
    // A non-finite offset leaves the stamp alone rather than wrapping it.
    EXPECT_EQ(stamp(100, 0) + std::numeric_limits<double>::quiet_NaN(), stamp(100, 0));
}

TEST(NtpTime, WireBytesAreBigEndianAndCurrentTimeKeepsMicroseconds)
{
    uint8_t bytes[8];
    stamp(0x01020304u, 0x05060708u).ToNetworkBytes(bytes);
    const uint8_t expected[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    EXPECT_EQ(std::memcmp(bytes, expected, 8), 0);
    EXPECT_EQ(NtpTime::FromNetworkBytes(bytes), stamp(0x01020304u, 0x05060708u));

    // 2004-01-01 00:00:00.000250 UTC
    SimulatedSystemClock clock([] { return int64_t { 1072915200000250 }; });
    const NtpTime now = NtpTime::GetCurrentTime(clock);
    EXPECT_EQ(now.Seconds(), 3281904000u);
    EXPECT_NEAR(now.Fraction() / 4294967296.0, 0.000250, 1e-9);
}
