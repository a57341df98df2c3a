#pragma once

#include <cstdint>

namespace velarin {

// Broken-down date and time: eight unsigned 16-bit fields, month 1..12, day of week 0 = Sunday.
// Clock setting always passes UTC; the day of week is ignored when setting.
struct SystemTime {
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;

    friend bool operator==(const SystemTime&, const SystemTime&) = default;
};

} // namespace velarin
