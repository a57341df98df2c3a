#pragma once

#include "platform/ThreadPriority.h"

#include <mutex>
#include <vector>

namespace velarin::test {

// Records every priority change; can refuse the raised level like a process without the right.
class FakeThreadPriority : public ThreadPriority {
public:
    bool SetCurrentThreadPriority(ThreadPriorityLevel level) override
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(level);
        return level == ThreadPriorityLevel::Normal || allowRaise_;
    }
    std::vector<ThreadPriorityLevel> Calls() const
    {
        std::lock_guard lock(mutex_);
        return calls_;
    }
    void SetAllowRaise(bool allow)
    {
        std::lock_guard lock(mutex_);
        allowRaise_ = allow;
    }

private:
    mutable std::mutex mutex_;
    std::vector<ThreadPriorityLevel> calls_;
    bool allowRaise_ = true;
};

} // namespace velarin::test
