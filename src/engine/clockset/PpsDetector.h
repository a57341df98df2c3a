#pragma once

#include "engine/AppState.h"
#include "engine/clockset/CancelSignal.h"
#include "engine/clockset/GpsTimeSource.h"
#include "platform/SerialDevice.h"
#include "platform/SettingsStore.h"
#include "platform/ThreadPriority.h"

#include <functional>
#include <optional>

namespace velarin {

// Finds the second boundary for a clock setting: the next second decoded from the receiver, or
// the receiver's 1PPS edge on the CTS, DSR or DCD line. When the kernel has a PPS source bound to
// the port, its time stamp of the edge is used (and published for the status page); a source that
// stays quiet or disappears gives way to the line wait. Runs on the set-time worker thread; every
// wait ends when the run is cancelled.
class PpsDetector {
public:
    // A pulse comes every second: a line that stays quiet this long has none, and the try fails.
    static constexpr int kLineWaitTimeoutMs = 2000;
    // The longest single line wait: a stop request is seen at least this often.
    static constexpr int kLineWaitSliceMs = 50;
    // How often a wait for a decoded second looks at the lock and the stop request between the
    // decoder's notifications.
    static constexpr std::chrono::milliseconds kCheckInterval { 10 };

    // The GPS link's device, or nullptr when no port is open.
    using DeviceAccess = std::function<SerialDevice*()>;

    PpsDetector(SettingsStore& settings, AppState& app, GpsTimeSource& gps,
        ThreadPriority& priority, CancelSignal& cancel, DeviceAccess device);

    // The time after which a quiet line fails the try (tests shorten it).
    void SetLineWaitTimeout(int milliseconds) { lineWaitTimeoutMs_ = milliseconds; }

    // True just after a qualifying edge of the watched line.
    bool WaitForPps();
    // The kernel's time of the edge the last successful WaitForPps ended on (UTC microseconds on
    // the PC clock); nullopt when the line wait found it.
    std::optional<int64_t> LastEdgeUtcMicroseconds() const { return lastEdge_; }
    // The kernel edge that a "1PPS Polarity" index names: 0 high to low (clear), 1 low to high
    // (assert), 2 either; nullopt for any other index.
    static std::optional<PpsEdge> EdgeForPolarity(int polarity);
    // True when the seconds field of the receiver time has changed (priority raised again);
    // false when the reference became unusable or the run was cancelled first (priority normal).
    bool WaitForNextGpsSecond();

private:
    enum class EdgeWait { Edge, TryFailed, Abort };
    EdgeWait waitTwoEdges(SerialDevice& device);
    EdgeWait waitKernelEdge(SerialDevice& device, PpsEdge edge);
    // One wait of up to the line time-out, in slices so that a stop request is seen soon.
    LineEventResult waitSliced(const std::function<LineEventResult(int)>& wait);
    bool levelMatches(SerialDevice& device, int line, int polarity);

    SettingsStore& settings_;
    AppState& app_;
    GpsTimeSource& gps_;
    ThreadPriority& priority_;
    CancelSignal& cancel_;
    DeviceAccess device_;
    int lineWaitTimeoutMs_ = kLineWaitTimeoutMs;
    std::optional<int64_t> lastEdge_;
};

} // namespace velarin
