#pragma once

#include "engine/AppState.h"
#include "engine/clockset/CancelSignal.h"
#include "engine/clockset/GpsTimeSource.h"
#include "platform/SerialDevice.h"
#include "platform/SettingsStore.h"
#include "platform/ThreadPriority.h"

#include <functional>

namespace velarin {

// Finds the second boundary for a clock setting: the next second decoded from the receiver, or
// the receiver's 1PPS edge on the CTS or DSR line. Runs on the set-time worker thread; every
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
    // True when the seconds field of the receiver time has changed (priority raised again);
    // false when the reference became unusable or the run was cancelled first (priority normal).
    bool WaitForNextGpsSecond();

private:
    enum class EdgeWait { Edge, TryFailed, Abort };
    EdgeWait waitTwoEdges(SerialDevice& device);
    LineEventResult waitLineEvent(SerialDevice& device);

    SettingsStore& settings_;
    AppState& app_;
    GpsTimeSource& gps_;
    ThreadPriority& priority_;
    CancelSignal& cancel_;
    DeviceAccess device_;
    int lineWaitTimeoutMs_ = kLineWaitTimeoutMs;
};

} // namespace velarin
