#include "support/ScriptedGpsTimeSource.h"

namespace velarin::test {

std::optional<SystemTime> ScriptedGpsTimeSource::GetReceiverTime()
{
    std::lock_guard lock(mutex_);
    return time_;
}

uint64_t ScriptedGpsTimeSource::UpdateSequence()
{
    std::lock_guard lock(mutex_);
    return sequence_;
}

uint64_t ScriptedGpsTimeSource::WaitForUpdate(uint64_t seen, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    waiting_ = true;
    changed_.notify_all();
    const uint64_t wakes = wakes_;
    changed_.wait_for(lock, timeout, [&] { return sequence_ != seen || wakes_ != wakes; });
    return sequence_;
}

void ScriptedGpsTimeSource::WakeWaiters()
{
    {
        std::lock_guard lock(mutex_);
        ++wakes_;
    }
    changed_.notify_all();
}

void ScriptedGpsTimeSource::Publish(std::optional<SystemTime> time)
{
    {
        std::lock_guard lock(mutex_);
        time_ = time;
        ++sequence_;
        waiting_ = false;
    }
    changed_.notify_all();
}

bool ScriptedGpsTimeSource::WaitUntilWaiting(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return waiting_; });
}

} // namespace velarin::test
