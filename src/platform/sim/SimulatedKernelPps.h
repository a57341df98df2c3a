#pragma once

#include "platform/PpsCapture.h"
#include "platform/SerialDevice.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace velarin {

// A kernel PPS source without hardware, for tests, benchmarks and the demo: it stamps the
// carrier-line edges it is told of with the PC clock it was plugged in with, and can disappear
// (unplugged) while a wait runs.
class SimulatedKernelPps {
public:
    // The source exists under path and stamps with the given clock (UTC microseconds).
    void Plug(std::string path, std::function<int64_t()> utcMicroseconds);
    // The source disappears: a pending wait fails and arming finds none.
    void Unplug();
    // The carrier line moved: high stamps an assert edge, low a clear edge.
    void Stamp(bool high);
    // The serial device closed: the source is no longer open.
    void Close();

    std::string Arm();
    LineEventResult Wait(PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds);

private:
    std::mutex mutex_;
    std::condition_variable stamped_;
    std::string path_;
    std::function<int64_t()> clock_;
    bool open_ = false;
    PpsCapture now_;
    PpsCapture seen_;
};

} // namespace velarin
