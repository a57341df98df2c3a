#pragma once

#include "platform/SystemClock.h"
#include "platform/linux/TimeCapability.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <sys/timex.h>

namespace velarin {

// The real PC clock: CLOCK_REALTIME read and set, CAP_SYS_TIME raised to effective only around
// the set and dropped after, so that the program can be installed with cap_sys_time+p and never
// holds the right longer than one call. The capability and the final system call are injected
// so that their order can be checked without ever touching the clock. The rate goes through
// adjtimex (ADJ_FREQUENCY) under the same rule.
class LinuxSystemClock : public SystemClock, public ClockFrequency {
public:
    using SetRealtime = std::function<int(const timespec&)>; // 0 or an errno value
    using Adjtimex = std::function<int(timex&)>; // the clock state, or -1
    // The name of a running time service that keeps the clock's rate, or empty.
    using FindTimeService = std::function<std::string()>;

    LinuxSystemClock();
    // Without adjust and findService the rate can be neither read nor changed.
    LinuxSystemClock(std::unique_ptr<TimeCapability> capability, SetRealtime setRealtime,
        Adjtimex adjust = {}, FindTimeService findService = {});

    SystemTime GetUtc() override;
    SystemTime GetLocal() override;
    int64_t GetUtcMicroseconds() override;
    uint32_t GetTickCount() override;
    // Per thread, as the capability itself: enable and disable on the same thread.
    bool EnableSystemTimePrivilege() override;
    void DisableSystemTimePrivilege() override;
    bool SetUtc(const SystemTime& utc) override;
    ClockFrequency* Frequency() override { return this; }

    Status QueryFrequency() override;
    bool SetFrequencyPpm(double ppm) override;
    int64_t StepGaugeMicroseconds() override;

private:
    std::unique_ptr<TimeCapability> capability_;
    SetRealtime setRealtime_;
    Adjtimex adjust_;
    FindTimeService findService_;
};

} // namespace velarin
