#include "platform/linux/LinuxThreadPriority.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace velarin {

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
    // On Linux a nice value belongs to the thread named by its id.
    return setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), target) == 0;
}

} // namespace velarin
