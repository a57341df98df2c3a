#pragma once

#include "platform/ThreadPriority.h"

#include <mutex>
#include <vector>

namespace velarin::test {

class FakeThreadPriority : public ThreadPriority {
public:
    bool SetCurrentThreadPriority(ThreadPriorityLevel level) override
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(level);
        return true;
    }
    std::vector<ThreadPriorityLevel> Calls() const
    {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<ThreadPriorityLevel> calls_;
};

} // namespace velarin::test
