#pragma once

namespace velarin {

// The two scheduling levels the set-time worker uses: normal while it waits, one step above
// while it reads the boundary and sets the clock.
enum class ThreadPriorityLevel { Normal = 0, AboveNormal = 1 };

// Changes the priority of the calling thread.
class ThreadPriority {
public:
    virtual ~ThreadPriority() = default;
    // False when the process may not take that level; the thread then keeps the level it had.
    virtual bool SetCurrentThreadPriority(ThreadPriorityLevel level) = 0;
};

} // namespace velarin
