#include "engine/nettime/NtpTime.h"

#include "base/Calendar.h"

#include <array>
#include <cmath>

namespace velarin {

namespace {

constexpr double kTwoTo32 = 4294967296.0;

std::array<uint32_t, 1000> makeFractionTable()
{
    std::array<uint32_t, 1000> table {};
    for (uint64_t k = 0; k < table.size(); ++k)
        table[k] = static_cast<uint32_t>(((k << 32) + 500) / 1000);
    return table;
}

const std::array<uint32_t, 1000> kFractionTable = makeFractionTable();

} // namespace

uint32_t NtpTime::MillisecondFraction(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > 999)
        return 0;
    return kFractionTable[static_cast<size_t>(milliseconds)];
}

int64_t NtpTime::JulianDayNumber(int64_t year, int64_t month, int64_t day)
{
    if (month < 3) {
        month += 9;
        year -= 1;
    } else {
        month -= 3;
    }
    const int64_t century = year / 100;
    const int64_t yearOfCentury = year - 100 * century;
    return (146097 * century) / 4 + (1461 * yearOfCentury) / 4 + (153 * month + 2) / 5 + day
        + 1721119;
}

void NtpTime::DateOfJulianDay(int64_t jdn, int64_t& year, int64_t& month, int64_t& day)
{
    int64_t j = 4 * (jdn - 1721119) - 1;
    const int64_t century = j / 146097;
    int64_t d = (j - 146097 * century) / 4;
    const int64_t yearOfCentury = (4 * d + 3) / 1461;
    d = (4 * d + 3 - 1461 * yearOfCentury + 4) / 4;
    int64_t m = (5 * d - 3) / 153;
    d = (5 * d - 3 - 153 * m + 5) / 5;
    int64_t y = 100 * century + yearOfCentury;
    if (m < 10) {
        m += 3;
    } else {
        m -= 9;
        y += 1;
    }
    year = y;
    month = m;
    day = d;
}

NtpTime NtpTime::FromSystemTime(const SystemTime& utc)
{
    const int64_t days = JulianDayNumber(utc.year, utc.month, utc.day) - kJdnOf1900;
    const int64_t seconds = ((days * 24 + utc.hour) * 60 + utc.minute) * 60 + utc.second;
    return NtpTime((static_cast<uint64_t>(seconds) << 32) + MillisecondFraction(utc.milliseconds));
}

NtpTime NtpTime::GetCurrentTime(SystemClock& clock)
{
    const int64_t micros = clock.GetUtcMicroseconds();
    const int64_t millis = micros >= 0 ? micros / 1000 : (micros - 999) / 1000;
    const int64_t subMillisecond = micros - millis * 1000; // 0..999 microseconds
    const NtpTime whole = FromSystemTime(FromUnixMilliseconds(millis));
    return NtpTime(whole.value_ + static_cast<uint64_t>((subMillisecond << 32) / 1000000));
}

NtpTime NtpTime::FromNetworkBytes(const uint8_t* bytes)
{
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i)
        value = (value << 8) | bytes[i];
    return NtpTime(value);
}

void NtpTime::ToNetworkBytes(uint8_t* bytes) const
{
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<uint8_t>(value_ >> (56 - 8 * i));
}

SystemTime NtpTime::ToSystemTime() const
{
    int64_t seconds = Seconds();
    int milliseconds = static_cast<int>(static_cast<double>(Fraction()) * 1000.0 / kTwoTo32 + 0.5);
    if (milliseconds >= 1000) {
        milliseconds -= 1000;
        seconds += 1;
    }
    const int64_t jdn = seconds / 86400 + kJdnOf1900;
    int64_t year = 0;
    int64_t month = 0;
    int64_t day = 0;
    DateOfJulianDay(jdn, year, month, day);
    SystemTime t;
    t.year = static_cast<uint16_t>(year);
    t.month = static_cast<uint16_t>(month);
    t.day = static_cast<uint16_t>(day);
    t.dayOfWeek = static_cast<uint16_t>((jdn + 1) % 7);
    t.hour = static_cast<uint16_t>((seconds / 3600) % 24);
    t.minute = static_cast<uint16_t>((seconds / 60) % 60);
    t.second = static_cast<uint16_t>(seconds % 60);
    t.milliseconds = static_cast<uint16_t>(milliseconds);
    return t;
}

double operator-(NtpTime a, NtpTime b)
{
    const bool negative = a.value_ < b.value_;
    const uint64_t d = negative ? b.value_ - a.value_ : a.value_ - b.value_;
    const double magnitude
        = static_cast<double>(d >> 32) + static_cast<double>(static_cast<uint32_t>(d)) / kTwoTo32;
    return negative ? -magnitude : magnitude;
}

NtpTime NtpTime::operator+(double seconds) const
{
    const double magnitude = std::fabs(seconds);
    if (!std::isfinite(magnitude) || magnitude >= kTwoTo32)
        return *this; // no offset of 136 years or more is meaningful
    const double whole = std::trunc(magnitude);
    const uint64_t delta = (static_cast<uint64_t>(whole) << 32)
        + static_cast<uint64_t>((magnitude - whole) * 4294967295.0);
    return NtpTime(seconds >= 0 ? value_ + delta : value_ - delta);
}

} // namespace velarin
