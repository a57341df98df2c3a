#include "engine/gps/TimeArithmetic.h"

#include "base/Calendar.h"

namespace velarin {

std::optional<SystemTime> AddSeconds(const SystemTime& time, int64_t seconds)
{
    // Keeps the sum far inside 64 bits and the year inside 16 bits before the range test.
    constexpr int64_t kMaxShift = 100'000'000'000;
    const auto milliseconds = ToUnixMilliseconds(time);
    if (!milliseconds || seconds > kMaxShift || seconds < -kMaxShift)
        return std::nullopt;
    const SystemTime result = FromUnixMilliseconds(*milliseconds + seconds * 1000);
    if (!IsValidSystemTime(result))
        return std::nullopt;
    return result;
}

} // namespace velarin
