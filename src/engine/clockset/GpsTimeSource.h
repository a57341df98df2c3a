#pragma once

#include "base/SystemTime.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace velarin {

// What the clock setting needs from the GPS decoder, which runs on the user-interface thread:
// the receiver's time as one consistent record, and a wake-up when a sentence has been decoded.
class GpsTimeSource {
public:
    virtual ~GpsTimeSource() = default;

    // The UTC date and time of the sentence chosen by "UseTimrFrom"; nullopt when there is none
    // that the calendar can represent.
    virtual std::optional<SystemTime> GetReceiverTime() = 0;
    // Grows with every decoded sentence.
    virtual uint64_t UpdateSequence() = 0;
    // Returns when UpdateSequence() differs from seen, or after the time-out; the sequence then.
    virtual uint64_t WaitForUpdate(uint64_t seen, std::chrono::milliseconds timeout) = 0;
    // Ends every WaitForUpdate going on now (a stop request).
    virtual void WakeWaiters() = 0;
};

} // namespace velarin
