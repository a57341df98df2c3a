#pragma once

#include "base/SystemTime.h"

#include <cstdint>
#include <optional>

namespace velarin {

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// A record the platform's set-time call accepts: year 1601..30827, month 1..12, day within the
// month, hour < 24, minute < 60, second < 60, milliseconds < 1000. Nothing is normalised.
bool IsValidSystemTime(const SystemTime& time);

// Days since 1970-01-01 of a proleptic Gregorian date (negative before).
int64_t DaysFromCivil(int year, int month, int day);

// Milliseconds since 1970-01-01 00:00:00 of a record taken as UTC; nullopt when invalid.
std::optional<int64_t> ToUnixMilliseconds(const SystemTime& time);
// The record (with its day of week) of milliseconds since 1970-01-01 00:00:00 UTC.
SystemTime FromUnixMilliseconds(int64_t milliseconds);

} // namespace velarin
