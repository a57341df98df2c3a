#pragma once

#include "base/Calendar.h"
#include "base/SystemTime.h"
#include "platform/ClockFrequency.h"

#include <cstdint>

namespace velarin {

// The PC clock: reading it in UTC and local time, and setting it in UTC with the right to do so
// held only around the call. The Linux implementation uses clock_gettime/clock_settime and
// CAP_SYS_TIME; the simulated one (tests, benchmarks, demo) records every request instead.
class SystemClock {
public:
    virtual ~SystemClock() = default;

    virtual SystemTime GetUtc() = 0;
    virtual SystemTime GetLocal() = 0;
    // UTC in microseconds since 1970-01-01, for time stamps finer than the record's milliseconds.
    // Clocks that can read no finer than GetUtc keep this default.
    virtual int64_t GetUtcMicroseconds()
    {
        const auto milliseconds = ToUnixMilliseconds(GetUtc());
        return milliseconds ? *milliseconds * 1000 : 0;
    }

    // Milliseconds since some fixed start, wrapping at 2^32 (the "millisecond tick").
    virtual uint32_t GetTickCount() = 0;

    // Raises the right to set the clock to effective. True when raised, or when the system has
    // no such right to raise; a true result does not prove that the set will be allowed.
    virtual bool EnableSystemTimePrivilege() = 0;
    // Drops the right raised by EnableSystemTimePrivilege again.
    virtual void DisableSystemTimePrivilege() = 0;

    // Sets the clock from a UTC record. An invalid record (month 0 or 13, day 0 or past the
    // month, hour 24, minute 60, second 60, milliseconds 1000) fails and nothing is normalised.
    // This call raises and drops the right itself. True when the clock was set.
    virtual bool SetUtc(const SystemTime& utc) = 0;

    // The clock's rate control, or null where the clock has none.
    virtual ClockFrequency* Frequency() { return nullptr; }
};

} // namespace velarin
