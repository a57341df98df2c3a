#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velarin {

// The fields of a NIST Daytime line "JJJJJ YR-MO-DA HH:MM:SS TT L H msADV UTC(NIST) OTM" that
// the clock setting uses. Values are as read (only the year is widened), not yet checked.
struct DaytimeFields {
    int64_t year = 0;
    int64_t month = 0;
    int64_t day = 0;
    int64_t hour = 0;
    int64_t minute = 0;
    int64_t second = 0;
    double advanceMs = 0; // msADV, the milliseconds the server sent the stamp ahead
};

// Splits the reply token by token, each token taken as strtok would with the delimiter of its
// field; the text ends at the first NUL. Numbers are read as atoi / atof would (0 when there are
// no digits). A two-digit year below 70 is 20YR, otherwise 19YR. nullopt when a token is missing.
std::optional<DaytimeFields> ParseDaytimeReply(std::string_view reply);

// True when the fields make a time worth setting: year 1601..30827, month 1..12, a day the
// month has (no 2004-02-30), hour < 24, minute < 60, second < 61 and an advance of 0 to 1000 ms.
bool IsDaytimeInRange(const DaytimeFields& fields);

} // namespace velarin
