#pragma once

#include "engine/AppState.h"
#include "engine/clockset/CancelSignal.h"
#include "engine/frame/SystemLog.h"
#include "platform/Connectivity.h"
#include "platform/ThreadPriority.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace velarin {

// Runs every clock setting, timed or asked for, on one short-lived thread: up to six attempts
// 500 ms apart through the GPS procedure or the network clients. At most one run exists at a
// time. A run is never killed: StopSetTimeThread cancels every wait it may be in and joins it.
class SetTimeWorker {
public:
    using RunHandle = uint64_t; // 0 = none
    static constexpr int kAttempts = 6;
    static constexpr std::chrono::milliseconds kRetryPause { 500 };

    using GpsProcedure = std::function<int()>;
    // Sets the clock from the current time server; must return soon after the signal is
    // cancelled.
    using NetworkProcedure = std::function<int(CancelSignal&)>;

    SetTimeWorker(
        AppState& app, SystemLog& log, Connectivity& connectivity, ThreadPriority& priority);
    // Cancels and joins a run still going.
    ~SetTimeWorker();
    SetTimeWorker(const SetTimeWorker&) = delete;
    SetTimeWorker& operator=(const SetTimeWorker&) = delete;

    // Set before the first run; until then each path fails.
    void SetGpsProcedure(GpsProcedure procedure);
    void SetNetworkProcedure(NetworkProcedure procedure);
    // The signal every wait of a run listens to.
    CancelSignal& Cancellation() { return cancel_; }

    // Starts a run unless one is recorded; the handle of the run going on (0 when the thread
    // could not be created).
    RunHandle StartSetTimeThread();
    // Cancels the recorded run and waits for its thread to end; 0 when none was recorded.
    int StopSetTimeThread();
    int IsSetTimeBusy() const { return busy_.load(); }
    // One attempt through the configured reference; non-zero when the clock was set.
    int SetTime();

    // Waits until no run is recorded (for callers that must not leave a run behind, and tests).
    bool WaitUntilIdle(std::chrono::milliseconds timeout);

private:
    void setTimeThread(RunHandle run);
    void setPriority(ThreadPriorityLevel level);

    AppState& app_;
    SystemLog& log_;
    Connectivity& connectivity_;
    ThreadPriority& priority_;
    GpsProcedure gps_;
    NetworkProcedure network_;
    CancelSignal cancel_;

    std::atomic<int> busy_ { 0 };
    mutable std::mutex mutex_;
    std::condition_variable idle_;
    std::thread thread_;
    RunHandle recorded_ = 0;
    RunHandle lastRun_ = 0;
};

} // namespace velarin
