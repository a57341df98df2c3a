#pragma once

#include "engine/clockset/GpsTimeSource.h"

#include <condition_variable>
#include <mutex>

namespace velarin::test {

// A receiver time that a test publishes by hand, with the decoder's notification, and a way to
// know that a clock-setting wait has begun.
class ScriptedGpsTimeSource : public GpsTimeSource {
public:
    std::optional<SystemTime> GetReceiverTime() override { return locked(time_); }
    uint64_t UpdateSequence() override { return locked(sequence_); }
    uint64_t WaitForUpdate(uint64_t seen, std::chrono::milliseconds timeout) override
    {
        std::unique_lock lock(mutex_);
        waiting_ = true;
        changed_.notify_all();
        const uint64_t wakes = wakes_;
        changed_.wait_for(lock, timeout, [&] { return sequence_ != seen || wakes_ != wakes; });
        return sequence_;
    }
    void WakeWaiters() override
    {
        update([this] { ++wakes_; });
    }

    // Stores a new receiver time (nullopt: none) and wakes the waiters.
    void Publish(std::optional<SystemTime> time)
    {
        update([&] {
            time_ = time;
            ++sequence_;
            waiting_ = false;
        });
    }
    // Blocks until a WaitForUpdate has been entered since the last Publish (false at time-out).
    bool WaitUntilWaiting(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return waiting_; });
    }

private:
    template <typename T> T locked(const T& value)
    {
        std::lock_guard lock(mutex_);
        return value;
    }
    template <typename Change> void update(Change change)
    {
        {
            std::lock_guard lock(mutex_);
            change();
        }
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<SystemTime> time_;
    uint64_t sequence_ = 0, wakes_ = 0;
    bool waiting_ = false;
};

} // namespace velarin::test
