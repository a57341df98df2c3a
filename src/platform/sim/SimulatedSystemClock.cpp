#include "platform/sim/SimulatedSystemClock.h"

#include "base/Calendar.h"

#include <chrono>

namespace velarin {

SimulatedSystemClock::SimulatedSystemClock()
    : source_([] {
        return std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::system_clock::now().time_since_epoch())
            .count();
    })
{
}

SimulatedSystemClock::SimulatedSystemClock(std::function<int64_t()> trueUtcMicroseconds)
    : source_(std::move(trueUtcMicroseconds))
{
}

int64_t SimulatedSystemClock::trueNowMicroseconds() const
{
    return source_();
}

SystemTime SimulatedSystemClock::GetUtc()
{
    std::lock_guard lock(mutex_);
    const int64_t us = trueNowMicroseconds() + offsetMicroseconds_;
    return FromUnixMilliseconds(us >= 0 ? us / 1000 : (us - 999) / 1000);
}

SystemTime SimulatedSystemClock::GetLocal()
{
    std::lock_guard lock(mutex_);
    const int64_t us = trueNowMicroseconds() + offsetMicroseconds_;
    const int64_t ms = us >= 0 ? us / 1000 : (us - 999) / 1000;
    return FromUnixMilliseconds(ms + static_cast<int64_t>(localOffsetMinutes_) * 60000);
}

int64_t SimulatedSystemClock::GetUtcMicroseconds()
{
    std::lock_guard lock(mutex_);
    return trueNowMicroseconds() + offsetMicroseconds_;
}

uint32_t SimulatedSystemClock::GetTickCount()
{
    return static_cast<uint32_t>(trueNowMicroseconds() / 1000);
}

bool SimulatedSystemClock::EnableSystemTimePrivilege()
{
    std::lock_guard lock(mutex_);
    privilegeEnabled_ = privilegeAvailable_;
    return privilegeAvailable_;
}

void SimulatedSystemClock::DisableSystemTimePrivilege()
{
    std::lock_guard lock(mutex_);
    privilegeEnabled_ = false;
}

bool SimulatedSystemClock::SetUtc(const SystemTime& utc)
{
    SetRequest request;
    std::function<void(const SetRequest&)> observer;
    {
        std::lock_guard lock(mutex_);
        request.requested = utc;
        request.trueUtcMicroseconds = trueNowMicroseconds();
        request.trueUtcMilliseconds = request.trueUtcMicroseconds / 1000;
        const auto target = ToUnixMilliseconds(utc);
        request.accepted = target.has_value() && !refuseSets_ && privilegeAvailable_;
        if (request.accepted)
            offsetMicroseconds_ = *target * 1000 - request.trueUtcMicroseconds;
        requests_.push_back(request);
        observer = observer_;
    }
    if (observer)
        observer(request);
    return request.accepted;
}

int64_t SimulatedSystemClock::OffsetMicroseconds() const
{
    std::lock_guard lock(mutex_);
    return offsetMicroseconds_;
}

void SimulatedSystemClock::SetOffsetMicroseconds(int64_t offset)
{
    std::lock_guard lock(mutex_);
    offsetMicroseconds_ = offset;
}

void SimulatedSystemClock::SetLocalOffsetMinutes(int minutes)
{
    std::lock_guard lock(mutex_);
    localOffsetMinutes_ = minutes;
}

void SimulatedSystemClock::SetPrivilegeAvailable(bool available)
{
    std::lock_guard lock(mutex_);
    privilegeAvailable_ = available;
}

void SimulatedSystemClock::SetRefuseSets(bool refuse)
{
    std::lock_guard lock(mutex_);
    refuseSets_ = refuse;
}

bool SimulatedSystemClock::PrivilegeEnabled() const
{
    std::lock_guard lock(mutex_);
    return privilegeEnabled_;
}

std::vector<SimulatedSystemClock::SetRequest> SimulatedSystemClock::Requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

void SimulatedSystemClock::SetObserver(std::function<void(const SetRequest&)> observer)
{
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

} // namespace velarin
