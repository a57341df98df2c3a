#include "platform/linux/LinuxThreadPriority.h"

#include <algorithm>
#include <cerrno>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace velarin {
namespace {

// 0 restores the thread's default slack.
constexpr unsigned long kSettingTimerSlackNs = 1;

} // namespace

LinuxThreadPriority::LinuxThreadPriority()
{
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    normalNice_ = (nice == -1 && errno != 0) ? 0 : nice;
}

bool LinuxThreadPriority::SetCurrentThreadPriority(ThreadPriorityLevel level)
{
    const int target = level == ThreadPriorityLevel::AboveNormal
        ? std::max(-20, normalNice_ - kAboveNormalStep)
        : normalNice_;
    // Above normal, the thread sets the clock: its short sleeps (waiting for the millisecond after
    // a kernel-stamped edge) end on time instead of up to 50 us late, the default slack.
    prctl(PR_SET_TIMERSLACK, level == ThreadPriorityLevel::AboveNormal ? kSettingTimerSlackNs : 0UL,
        0UL, 0UL, 0UL);
    // On Linux a nice value belongs to the thread named by its id.
    return setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), target) == 0;
}

} // namespace velarin
