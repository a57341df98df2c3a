#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>

namespace velarin {

// Asks one clock-setting run to stop. Every wait of the run goes through it (or registers a hook
// that interrupts its own blocking call), so that a stop request ends the run promptly and the
// thread leaves by its normal path, releasing whatever it holds.
class CancelSignal {
public:
    void Cancel();
    // Makes the signal usable for a new run.
    void Reset();
    bool IsCancelled() const;

    // Sleeps for the given time; false when cancelled before or during the sleep.
    bool SleepFor(std::chrono::milliseconds duration);

    // A function that interrupts a blocking call (for instance a modem-line wait); run by Cancel
    // from the cancelling thread, and at once when the signal is already cancelled.
    using Hook = std::function<void()>;
    uint64_t AddHook(Hook hook);
    void RemoveHook(uint64_t id);

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool cancelled_ = false;
    uint64_t nextHookId_ = 1;
    std::map<uint64_t, Hook> hooks_;
};

// Registers a hook for the lifetime of a scope.
class CancelHookScope {
public:
    CancelHookScope(CancelSignal& signal, CancelSignal::Hook hook);
    ~CancelHookScope();
    CancelHookScope(const CancelHookScope&) = delete;
    CancelHookScope& operator=(const CancelHookScope&) = delete;

private:
    CancelSignal& signal_;
    uint64_t id_;
};

} // namespace velarin
