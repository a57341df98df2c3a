#include "engine/clockset/SetTimeWorker.h"

#include <system_error>

namespace velarin {

SetTimeWorker::SetTimeWorker(
    AppState& app, SystemLog& log, Connectivity& connectivity, ThreadPriority& priority)
    : app_(app)
    , log_(log)
    , connectivity_(connectivity)
    , priority_(priority)
    , gps_([] { return 0; })
    , network_([](CancelSignal&) { return 0; })
{
}

SetTimeWorker::~SetTimeWorker()
{
    StopSetTimeThread();
    std::lock_guard lock(mutex_);
    if (thread_.joinable())
        thread_.join();
}

void SetTimeWorker::SetGpsProcedure(GpsProcedure procedure)
{
    gps_ = std::move(procedure);
}

void SetTimeWorker::SetNetworkProcedure(NetworkProcedure procedure)
{
    network_ = std::move(procedure);
}

SetTimeWorker::RunHandle SetTimeWorker::StartSetTimeThread()
{
    std::lock_guard lock(mutex_);
    if (recorded_ != 0)
        return recorded_;
    // A finished run has cleared its record; its thread ends right after and is released here.
    if (thread_.joinable())
        thread_.join();
    cancel_.Reset();
    const RunHandle run = lastRun_ + 1;
    try {
        // The handle is recorded under the lock that the thread's last step needs, so the
        // thread cannot clear it before it is recorded.
        thread_ = std::thread(&SetTimeWorker::setTimeThread, this, run);
    } catch (const std::system_error&) {
        return 0;
    }
    lastRun_ = run;
    recorded_ = run;
    return run;
}

int SetTimeWorker::StopSetTimeThread()
{
    std::thread thread;
    bool wasRecorded = false;
    {
        std::lock_guard lock(mutex_);
        if (recorded_ == 0 && !thread_.joinable())
            return 0;
        wasRecorded = recorded_ != 0;
        thread = std::move(thread_);
    }
    if (wasRecorded)
        cancel_.Cancel();
    if (thread.joinable())
        thread.join();
    {
        std::lock_guard lock(mutex_);
        recorded_ = 0;
    }
    busy_.store(0);
    idle_.notify_all();
    return wasRecorded ? 1 : 0;
}

bool SetTimeWorker::WaitUntilIdle(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return idle_.wait_for(lock, timeout, [this] { return recorded_ == 0; });
}

void SetTimeWorker::setPriority(ThreadPriorityLevel level)
{
    // A process that may not raise its priority simply runs at normal.
    priority_.SetCurrentThreadPriority(level);
}

void SetTimeWorker::setTimeThread(RunHandle run)
{
    const auto finish = [this, run] {
        std::lock_guard lock(mutex_);
        if (recorded_ == run)
            recorded_ = 0;
        idle_.notify_all();
    };
    if (busy_.load() == 1) {
        finish();
        return;
    }
    setPriority(ThreadPriorityLevel::AboveNormal);
    busy_.store(1);
    log_.WriteSystemLog("SetTimeThread::SetTime");

    int result = SetTime();
    for (int attempt = 1; !result && attempt < kAttempts; ++attempt) {
        setPriority(ThreadPriorityLevel::Normal);
        if (!cancel_.SleepFor(kRetryPause))
            break;
        setPriority(ThreadPriorityLevel::AboveNormal);
        if (app_.timeReferenceUsable.load() == 0)
            break;
        result = SetTime();
    }
    setPriority(ThreadPriorityLevel::Normal);
    busy_.store(0);
    finish();
}

int SetTimeWorker::SetTime()
{
    if (cancel_.IsCancelled())
        return 0;
    if (app_.useNetworkTime.load() != 1) {
        log_.WriteSystemLog("SetTime using GPS");
        return gps_();
    }
    if (!connectivity_.IsInternetConnected()) {
        app_.networkFailure.store(1);
        return 0;
    }
    log_.WriteSystemLog("SetTime using network");
    return network_(cancel_);
}

} // namespace velarin
