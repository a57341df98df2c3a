#pragma once

#include "base/SystemTime.h"

#include <string>

namespace velarin {

// The clock window's hover text, formatted as strftime does in the "C" locale with
// "%A, %B %d, %Y (%H:%M:%S Local Time)" and its 12-hour and UTC variants. The caller passes the
// time the clock shows (local or UTC). A text that would not fit 127 characters is empty.
std::string FormatClockHoverText(const SystemTime& time, bool localTime, bool twentyFourHour);

// The first hover text, before the first second has passed: "%A, %B %d, %Y".
std::string FormatClockDateText(const SystemTime& time);

} // namespace velarin
