#include "platform/sim/SimulatedKernelPps.h"

#include <chrono>

namespace velarin {

void SimulatedKernelPps::Plug(std::string path, std::function<int64_t()> utcMicroseconds)
{
    std::lock_guard lock(mutex_);
    path_ = std::move(path);
    clock_ = std::move(utcMicroseconds);
}

void SimulatedKernelPps::Unplug()
{
    {
        std::lock_guard lock(mutex_);
        path_.clear();
        open_ = false;
    }
    stamped_.notify_all();
}

void SimulatedKernelPps::Close()
{
    {
        std::lock_guard lock(mutex_);
        open_ = false;
    }
    stamped_.notify_all();
}

void SimulatedKernelPps::Stamp(bool high)
{
    {
        std::lock_guard lock(mutex_);
        if (path_.empty())
            return;
        const int64_t at = clock_();
        if (high) {
            ++now_.assertSequence;
            now_.assertUtcMicroseconds = at;
        } else {
            ++now_.clearSequence;
            now_.clearUtcMicroseconds = at;
        }
    }
    stamped_.notify_all();
}

std::string SimulatedKernelPps::Arm()
{
    std::lock_guard lock(mutex_);
    open_ = !path_.empty();
    seen_ = now_;
    return path_;
}

LineEventResult SimulatedKernelPps::Wait(PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds)
{
    std::unique_lock lock(mutex_);
    std::optional<int64_t> stamp;
    const bool ended = stamped_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
        [&] { return !open_ || (stamp = TakePpsEdge(edge, now_, seen_)).has_value(); });
    if (!open_)
        return LineEventResult::Failed;
    if (!ended)
        return LineEventResult::TimedOut;
    edgeUtcMicroseconds = *stamp;
    return LineEventResult::Changed;
}

} // namespace velarin
