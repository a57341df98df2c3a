#pragma once

#include "base/SystemTime.h"

#include <cstdint>
#include <optional>

namespace velarin {

// Calendar arithmetic on a valid record: plus or minus whole seconds, carrying into minute,
// hour, day, month and year, with the day of week recomputed and the milliseconds kept. nullopt
// when the record is invalid or the result leaves the calendar's range.
std::optional<SystemTime> AddSeconds(const SystemTime& time, int64_t seconds);

} // namespace velarin
