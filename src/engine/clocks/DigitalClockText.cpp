#include "engine/clocks/DigitalClockText.h"

#include "base/Calendar.h"

#include <cstdio>

namespace velarin {

int DisplayHour(int hour, bool twentyFourHour)
{
    if (!twentyFourHour && hour > 12)
        return hour - 12;
    return hour;
}

int DayOfYear(const SystemTime& time)
{
    static constexpr int kDaysBefore[12]
        = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };
    if (time.month < 1 || time.month > 12)
        return time.day;
    const int leapDay = (time.month > 2 && IsLeapYear(time.year)) ? 1 : 0;
    return kDaysBefore[time.month - 1] + leapDay + time.day;
}

std::string DigitalClockDigits(const SystemTime& time, bool twentyFourHour, bool showDayOfYear)
{
    // Fields are reduced to their display width so that a stray value can never widen the row.
    char text[16];
    const int hour = DisplayHour(time.hour, twentyFourHour) % 100;
    if (showDayOfYear) {
        std::snprintf(text, sizeof text, "%03d%02d%02d%02d", DayOfYear(time) % 1000, hour,
            time.minute % 100, time.second % 100);
    } else {
        std::snprintf(
            text, sizeof text, "%02d%02d%02d", hour, time.minute % 100, time.second % 100);
    }
    return text;
}

} // namespace velarin
