#include "platform/sim/SimulatedSystemClock.h"

#include "base/Calendar.h"

#include <chrono>
#include <cmath>
#include <numbers>

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

double SimulatedSystemClock::offsetAt(int64_t trueMicroseconds) const
{
    // A rate in ppm over seconds is microseconds; the wander's sine integrates to a cosine.
    const double elapsed = static_cast<double>(trueMicroseconds - anchorTrueMicroseconds_) / 1e6;
    double offset = anchorOffsetMicroseconds_ + (ratePpm_ + frequencyPpm_) * elapsed;
    if (wanderPpm_ != 0.0) {
        const double omega = 2.0 * std::numbers::pi / wanderPeriodSeconds_;
        const double from = static_cast<double>(anchorTrueMicroseconds_) / 1e6;
        const double to = static_cast<double>(trueMicroseconds) / 1e6;
        offset += wanderPpm_ / omega * (std::cos(omega * from) - std::cos(omega * to));
    }
    return offset;
}

void SimulatedSystemClock::anchorAt(int64_t trueMicroseconds, double offset)
{
    anchorTrueMicroseconds_ = trueMicroseconds;
    anchorOffsetMicroseconds_ = offset;
}

int64_t SimulatedSystemClock::readingAt(int64_t trueMicroseconds) const
{
    return trueMicroseconds + std::llround(offsetAt(trueMicroseconds));
}

SystemTime SimulatedSystemClock::GetUtc()
{
    std::lock_guard lock(mutex_);
    const int64_t us = readingAt(trueNowMicroseconds());
    return FromUnixMilliseconds(us >= 0 ? us / 1000 : (us - 999) / 1000);
}

SystemTime SimulatedSystemClock::GetLocal()
{
    std::lock_guard lock(mutex_);
    const int64_t us = readingAt(trueNowMicroseconds());
    const int64_t ms = us >= 0 ? us / 1000 : (us - 999) / 1000;
    return FromUnixMilliseconds(ms + static_cast<int64_t>(localOffsetMinutes_) * 60000);
}

int64_t SimulatedSystemClock::GetUtcMicroseconds()
{
    std::lock_guard lock(mutex_);
    return readingAt(trueNowMicroseconds());
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
        if (request.accepted) {
            const double offset = static_cast<double>(*target * 1000 - request.trueUtcMicroseconds);
            stepsMicroseconds_ += offset - offsetAt(request.trueUtcMicroseconds);
            anchorAt(request.trueUtcMicroseconds, offset);
        }
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
    return std::llround(offsetAt(trueNowMicroseconds()));
}

void SimulatedSystemClock::SetOffsetMicroseconds(int64_t offset)
{
    std::lock_guard lock(mutex_);
    const int64_t now = trueNowMicroseconds();
    stepsMicroseconds_ += static_cast<double>(offset) - offsetAt(now);
    anchorAt(now, static_cast<double>(offset));
}

void SimulatedSystemClock::SetRateError(
    double ratePpm, double wanderPpm, double wanderPeriodSeconds)
{
    std::lock_guard lock(mutex_);
    const int64_t now = trueNowMicroseconds();
    anchorAt(now, offsetAt(now));
    ratePpm_ = ratePpm;
    wanderPpm_ = wanderPpm;
    wanderPeriodSeconds_ = wanderPeriodSeconds > 0.0 ? wanderPeriodSeconds : 86400.0;
}

void SimulatedSystemClock::SetDisciplinedBy(std::string service)
{
    std::lock_guard lock(mutex_);
    disciplinedBy_ = std::move(service);
}

ClockFrequency::Status SimulatedSystemClock::QueryFrequency()
{
    std::lock_guard lock(mutex_);
    return { true, frequencyPpm_, disciplinedBy_ };
}

bool SimulatedSystemClock::SetFrequencyPpm(double ppm)
{
    std::lock_guard lock(mutex_);
    if (!privilegeAvailable_)
        return false;
    const int64_t now = trueNowMicroseconds();
    anchorAt(now, offsetAt(now));
    frequencyPpm_ = Clamp(ppm);
    return true;
}

int64_t SimulatedSystemClock::StepGaugeMicroseconds()
{
    std::lock_guard lock(mutex_);
    return std::llround(stepsMicroseconds_);
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
