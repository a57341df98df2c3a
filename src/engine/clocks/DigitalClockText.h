#pragma once

#include "base/SystemTime.h"

#include <string>

namespace velarin {

// The hour the clocks show: as read in 24-hour mode; in 12-hour mode 13..23 lose 12 while 0 and
// 12 stay as they are (there is no AM/PM indication).
int DisplayHour(int hour, bool twentyFourHour);

// Day of the year, 1..366, with the Gregorian leap-year rule. A record whose month is outside
// 1..12 counts only its day.
int DayOfYear(const SystemTime& time);

// The digits the seven-segment clock shows, in cell order: "HHMMSS", or "DDDHHMMSS" with the
// day of the year.
std::string DigitalClockDigits(const SystemTime& time, bool twentyFourHour, bool showDayOfYear);

} // namespace velarin
