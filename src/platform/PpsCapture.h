#pragma once

#include "platform/SerialDevice.h"

#include <cstdint>
#include <optional>

namespace velarin {

// What a PPS source has stamped so far: a sequence number and the time of the latest edge of
// each kind (UTC microseconds on the PC clock).
struct PpsCapture {
    uint64_t assertSequence = 0;
    uint64_t clearSequence = 0;
    int64_t assertUtcMicroseconds = 0;
    int64_t clearUtcMicroseconds = 0;
};

// The time of the edge a wait for `edge` takes when the source now shows `now` and the waiter
// last saw `seen`, and `seen` moves on to `now`; nullopt (and `seen` kept) when no such edge was
// stamped since. With both kinds stamped, "any" takes the later one.
std::optional<int64_t> TakePpsEdge(PpsEdge edge, const PpsCapture& now, PpsCapture& seen);

} // namespace velarin
