#pragma once

#include "base/SystemTime.h"
#include "platform/SystemClock.h"

#include <cstdint>

namespace velarin {

// A 64-bit NTP time stamp: whole seconds since 1900-01-01 00:00:00 UTC in the high word, the
// binary fraction of a second in the low word. Held in host order; big-endian on the wire.
class NtpTime {
public:
    NtpTime() = default;
    explicit NtpTime(uint64_t value)
        : value_(value)
    {
    }

    static NtpTime FromSystemTime(const SystemTime& utc);
    // The clock's current UTC time (to the microsecond when the clock offers it).
    static NtpTime GetCurrentTime(SystemClock& clock);
    // The 8 big-endian bytes of a packet field.
    static NtpTime FromNetworkBytes(const uint8_t* bytes);
    void ToNetworkBytes(uint8_t* bytes) const;

    // The broken-down UTC record, milliseconds rounded to the nearest. A rounding that reaches
    // 1000 ms is carried into the next second, so the record is always one the clock accepts.
    SystemTime ToSystemTime() const;

    uint64_t Value() const { return value_; }
    uint32_t Seconds() const { return static_cast<uint32_t>(value_ >> 32); }
    uint32_t Fraction() const { return static_cast<uint32_t>(value_); }

    // a - b in seconds (negative when b is later).
    friend double operator-(NtpTime a, NtpTime b);
    // The stamp moved by t seconds; the fraction of t is scaled by 2^32 - 1.
    NtpTime operator+(double seconds) const;

    friend bool operator==(NtpTime, NtpTime) = default;

    // k milliseconds as a fraction of a second: round(k * 2^32 / 1000), k in 0..999.
    static uint32_t MillisecondFraction(int milliseconds);
    // Julian Day Number of a Gregorian date, and the date of a day number.
    static int64_t JulianDayNumber(int64_t year, int64_t month, int64_t day);
    static void DateOfJulianDay(int64_t jdn, int64_t& year, int64_t& month, int64_t& day);

    static constexpr int64_t kJdnOf1900 = 2415021;

private:
    uint64_t value_ = 0;
};

} // namespace velarin
