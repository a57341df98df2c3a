#pragma once

#include "platform/SystemClock.h"
#include "platform/linux/TimeCapability.h"

#include <ctime>
#include <functional>
#include <memory>

namespace velarin {

// The real PC clock: CLOCK_REALTIME read and set, CAP_SYS_TIME raised to effective only around
// the set and dropped after, so that the program can be installed with cap_sys_time+p and never
// holds the right longer than one call. The capability and the final system call are injected
// so that their order can be checked without ever touching the clock.
class LinuxSystemClock : public SystemClock {
public:
    using SetRealtime = std::function<int(const timespec&)>; // 0 or an errno value

    LinuxSystemClock();
    LinuxSystemClock(std::unique_ptr<TimeCapability> capability, SetRealtime setRealtime);

    SystemTime GetUtc() override;
    SystemTime GetLocal() override;
    uint32_t GetTickCount() override;
    // Per thread, as the capability itself: enable and disable on the same thread.
    bool EnableSystemTimePrivilege() override;
    void DisableSystemTimePrivilege() override;
    bool SetUtc(const SystemTime& utc) override;

private:
    std::unique_ptr<TimeCapability> capability_;
    SetRealtime setRealtime_;
};

} // namespace velarin
