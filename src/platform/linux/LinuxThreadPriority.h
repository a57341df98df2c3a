#pragma once

#include "platform/ThreadPriority.h"

namespace velarin {

// Thread priority through the calling thread's nice value. Normal is the process's nice value
// when this object was made; above normal is kAboveNormalStep lower (stronger). Lowering the
// nice value needs CAP_SYS_NICE or RLIMIT_NICE: without them the thread silently stays normal.
class LinuxThreadPriority : public ThreadPriority {
public:
    // Five nice steps give the thread about three times the CPU share of a normal one: enough to
    // win against a busy desktop at the moment the clock is set, far from real-time.
    static constexpr int kAboveNormalStep = 5;

    LinuxThreadPriority();
    bool SetCurrentThreadPriority(ThreadPriorityLevel level) override;

private:
    int normalNice_ = 0;
};

} // namespace velarin
