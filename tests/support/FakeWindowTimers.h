#pragma once

#include "engine/ui/WindowTimer.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

namespace velarin::testing {

// Window timers on a clock that only moves when the test says so. Advance fires every due timer
// in time order (a timer with several periods in the span fires several times), so a state
// machine driven by it runs exactly as on a real event loop, without waiting.
class FakeWindowTimers : public WindowTimerFactory {
    struct Timer : WindowTimer {
        Timer(FakeWindowTimers& owner, std::function<void()> onTick)
            : owner(owner)
            , onTick(std::move(onTick))
        {
            owner.timers_.push_back(this);
        }
        ~Timer() override { std::erase(owner.timers_, this); }
        void Start(int periodMilliseconds) override
        {
            period = std::max(periodMilliseconds, 1);
            due = owner.now_ + period;
            order = ++owner.starts_; // breaks ties between timers due at the same moment
            active = true;
        }
        void Stop() override { active = false; }
        bool IsActive() const override { return active; }
        auto key() const { return std::tie(due, order); }

        FakeWindowTimers& owner;
        std::function<void()> onTick;
        int64_t period = 0, due = 0;
        uint64_t order = 0;
        bool active = false;
    };

public:
    std::unique_ptr<WindowTimer> CreateTimer(std::function<void()> onTick) override
    {
        return std::make_unique<Timer>(*this, std::move(onTick));
    }

    // Handlers may start, stop, create or destroy timers: the earliest due one is sought anew.
    void Advance(int64_t milliseconds)
    {
        const int64_t end = now_ + milliseconds;
        for (Timer* next = earliestDue(end); next != nullptr; next = earliestDue(end)) {
            now_ = next->due;
            next->due += next->period;
            next->onTick();
        }
        now_ = end;
    }
    int ActiveCount() const
    {
        return int(std::ranges::count_if(timers_, [](const Timer* t) { return t->active; }));
    }

private:
    Timer* earliestDue(int64_t end) const
    {
        Timer* next = nullptr;
        for (Timer* t : timers_)
            if (t->active && t->due <= end && (next == nullptr || t->key() < next->key()))
                next = t;
        return next;
    }

    int64_t now_ = 0;
    uint64_t starts_ = 0;
    std::vector<Timer*> timers_;
};

} // namespace velarin::testing
