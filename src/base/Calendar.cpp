#include "base/Calendar.h"

namespace velarin {

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr int days[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidSystemTime(const SystemTime& t)
{
    return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.day >= 1
        && t.day <= DaysInMonth(t.year, t.month) && t.hour < 24 && t.minute < 60 && t.second < 60
        && t.milliseconds < 1000;
}

int64_t DaysFromCivil(int year, int month, int day)
{
    // Howard Hinnant's days_from_civil.
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::optional<int64_t> ToUnixMilliseconds(const SystemTime& t)
{
    if (!IsValidSystemTime(t))
        return std::nullopt;
    const int64_t days = DaysFromCivil(t.year, t.month, t.day);
    return ((days * 24 + t.hour) * 60 + t.minute) * 60000 + t.second * 1000 + t.milliseconds;
}

SystemTime FromUnixMilliseconds(int64_t milliseconds)
{
    int64_t days = milliseconds / 86400000;
    int64_t rest = milliseconds % 86400000;
    if (rest < 0) {
        rest += 86400000;
        --days;
    }
    // Howard Hinnant's civil_from_days.
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);

    SystemTime t;
    t.year = static_cast<uint16_t>(year);
    t.month = static_cast<uint16_t>(month);
    t.day = static_cast<uint16_t>(day);
    t.dayOfWeek = static_cast<uint16_t>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    t.hour = static_cast<uint16_t>(rest / 3600000);
    t.minute = static_cast<uint16_t>(rest / 60000 % 60);
    t.second = static_cast<uint16_t>(rest / 1000 % 60);
    t.milliseconds = static_cast<uint16_t>(rest % 1000);
    return t;
}

} // namespace velarin
