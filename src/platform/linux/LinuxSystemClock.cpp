#include "platform/linux/LinuxSystemClock.h"

#include "base/Calendar.h"
#include "platform/linux/TimeServiceProbe.h"

#include <cerrno>
#include <cmath>

namespace velarin {

namespace {

// Whether this thread's EnableSystemTimePrivilege raised the right (and so must drop it again);
// a thread that already held it keeps it, leaving the process as it was found.
thread_local bool tRaisedByUs = false;

int64_t realtimeMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

int64_t microseconds(clockid_t id)
{
    timespec now {};
    clock_gettime(id, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// The kernel's frequency word is parts per million scaled by 2^16.
constexpr double kFrequencyScale = 65536.0;

} // namespace

LinuxSystemClock::LinuxSystemClock()
    : LinuxSystemClock(
        std::make_unique<LibcapTimeCapability>(),
        [](const timespec& time) { return clock_settime(CLOCK_REALTIME, &time) == 0 ? 0 : errno; },
        [](timex& state) { return adjtimex(&state); }, [] { return FindRunningTimeService(); })
{
}

LinuxSystemClock::LinuxSystemClock(std::unique_ptr<TimeCapability> capability,
    SetRealtime setRealtime, Adjtimex adjust, FindTimeService findService)
    : capability_(std::move(capability))
    , setRealtime_(std::move(setRealtime))
    , adjust_(std::move(adjust))
    , findService_(std::move(findService))
{
}

SystemTime LinuxSystemClock::GetUtc()
{
    return FromUnixMilliseconds(realtimeMilliseconds());
}

SystemTime LinuxSystemClock::GetLocal()
{
    const int64_t ms = realtimeMilliseconds();
    const time_t seconds = static_cast<time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    tm local {};
    localtime_r(&seconds, &local);
    // The zone's offset applied to the UTC milliseconds keeps the calendar arithmetic in one place.
    return FromUnixMilliseconds(ms + static_cast<int64_t>(local.tm_gmtoff) * 1000);
}

int64_t LinuxSystemClock::GetUtcMicroseconds()
{
    return microseconds(CLOCK_REALTIME);
}

uint32_t LinuxSystemClock::GetTickCount()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(
        static_cast<uint64_t>(now.tv_sec) * 1000 + static_cast<uint64_t>(now.tv_nsec) / 1000000);
}

bool LinuxSystemClock::EnableSystemTimePrivilege()
{
    tRaisedByUs = false;
    switch (capability_->Query()) {
    case TimeCapability::State::NoCapabilityModel:
    case TimeCapability::State::Effective:
        return true;
    case TimeCapability::State::PermittedOnly:
        tRaisedByUs = capability_->SetEffective(true);
        return tRaisedByUs;
    case TimeCapability::State::Absent:
        break;
    }
    return false;
}

void LinuxSystemClock::DisableSystemTimePrivilege()
{
    if (tRaisedByUs)
        capability_->SetEffective(false);
    tRaisedByUs = false;
}

bool LinuxSystemClock::SetUtc(const SystemTime& utc)
{
    // Checked before anything else: an invalid record never reaches the system, and nothing is
    // normalised (13/32 is not quietly the 1st of February).
    const auto ms = ToUnixMilliseconds(utc);
    if (!ms)
        return false;
    if (!EnableSystemTimePrivilege()) {
        DisableSystemTimePrivilege();
        return false;
    }
    timespec target {};
    target.tv_sec = static_cast<time_t>(*ms >= 0 ? *ms / 1000 : (*ms - 999) / 1000);
    target.tv_nsec
        = static_cast<long>((*ms - static_cast<int64_t>(target.tv_sec) * 1000) * 1000000);
    const int error = setRealtime_(target);
    DisableSystemTimePrivilege();
    return error == 0;
}

ClockFrequency::Status LinuxSystemClock::QueryFrequency()
{
    Status status;
    if (!adjust_)
        return status;
    timex state {};
    state.modes = 0; // a query: nothing changes and no right is needed
    if (adjust_(state) < 0)
        return status;
    status.readable = true;
    status.frequencyPpm = static_cast<double>(state.freq) / kFrequencyScale;
    // The kernel's own loops move the rate themselves; whoever feeds them owns the clock.
    if (state.status & (STA_PPSFREQ | STA_PPSTIME))
        status.disciplinedBy = "the kernel's pulse-per-second loop";
    else if (state.status & STA_FLL)
        status.disciplinedBy = "the kernel's frequency-locked loop";
    else if (state.status & STA_PLL)
        status.disciplinedBy = "the kernel's phase-locked loop";
    if (findService_) {
        // A named service says more than the loop it uses.
        const std::string service = findService_();
        if (!service.empty())
            status.disciplinedBy = service;
    }
    return status;
}

bool LinuxSystemClock::SetFrequencyPpm(double ppm)
{
    if (!adjust_)
        return false;
    timex state {};
    state.modes = ADJ_FREQUENCY;
    state.freq = std::lround(Clamp(ppm) * kFrequencyScale);
    if (!EnableSystemTimePrivilege()) {
        DisableSystemTimePrivilege();
        return false;
    }
    const int result = adjust_(state);
    DisableSystemTimePrivilege();
    return result >= 0;
}

int64_t LinuxSystemClock::StepGaugeMicroseconds()
{
    // CLOCK_MONOTONIC is slewed with CLOCK_REALTIME but never stepped.
    return microseconds(CLOCK_REALTIME) - microseconds(CLOCK_MONOTONIC);
}

} // namespace velarin
