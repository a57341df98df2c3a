#pragma once

#include "engine/clockset/GpsTimeSource.h"

#include <condition_variable>
#include <mutex>

namespace velarin::test {

// A receiver time that a test publishes by hand, with the decoder's notification, and a way to
// know that a clock-setting wait has begun.
class ScriptedGpsTimeSource : public GpsTimeSource {
public:
    std::optional<SystemTime> GetReceiverTime() override;
    uint64_t UpdateSequence() override;
    uint64_t WaitForUpdate(uint64_t seen, std::chrono::milliseconds timeout) override;
    void WakeWaiters() override;

    // Stores a new receiver time (nullopt: none) and wakes the waiters.
    void Publish(std::optional<SystemTime> time);
    // Blocks until a WaitForUpdate has been entered since the last Publish (false at time-out).
    bool WaitUntilWaiting(std::chrono::milliseconds timeout);

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<SystemTime> time_;
    uint64_t sequence_ = 0;
    uint64_t wakes_ = 0;
    bool waiting_ = false;
};

} // namespace velarin::test
