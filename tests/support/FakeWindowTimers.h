#pragma once

#include "engine/ui/WindowTimer.h"

#include <cstdint>
#include <vector>

namespace velarin::testing {

// Window timers on a clock that only moves when the test says so. Advance fires every due timer
// in time order (a timer with several periods in the span fires several times), so a state
// machine driven by it runs exactly as on a real event loop, without waiting.
class FakeWindowTimers : public WindowTimerFactory {
public:
    FakeWindowTimers();
    ~FakeWindowTimers() override;
    std::unique_ptr<WindowTimer> CreateTimer(std::function<void()> onTick) override;

    void Advance(int64_t milliseconds);
    int ActiveCount() const;

private:
    class Timer;
    friend class Timer;
    int64_t now_ = 0;
    uint64_t order_ = 0; // starts, to break ties between timers due at the same moment
    std::vector<Timer*> timers_;
};

} // namespace velarin::testing
