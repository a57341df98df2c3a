#pragma once

#include <functional>
#include <memory>

namespace velarin {

// A window timer as the controls and pages use it: started with a period, it calls its handler
// at every period on the user-interface thread until stopped. Starting a running timer restarts
// it with the new period. The user interface uses Qt timers; tests move a fake clock by hand.
class WindowTimer {
public:
    virtual ~WindowTimer() = default;
    virtual void Start(int periodMilliseconds) = 0;
    virtual void Stop() = 0;
    virtual bool IsActive() const = 0;
};

// Makes timers. One per window; it outlives every timer it made.
class WindowTimerFactory {
public:
    virtual ~WindowTimerFactory() = default;
    virtual std::unique_ptr<WindowTimer> CreateTimer(std::function<void()> onTick) = 0;
};

} // namespace velarin
