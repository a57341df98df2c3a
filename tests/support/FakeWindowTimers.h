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
    class Timer : public WindowTimer {
    public:
        Timer(FakeWindowTimers& owner, std::function<void()> onTick)
            : owner_(owner)
            , onTick_(std::move(onTick))
        {
            owner_.timers_.push_back(this);
        }
        ~Timer() override { std::erase(owner_.timers_, this); }

        void Start(int periodMilliseconds) override
        {
            period_ = std::max(periodMilliseconds, 1);
            due_ = owner_.now_ + period_;
            order_ = ++owner_.order_;
            active_ = true;
        }
        void Stop() override { active_ = false; }
        bool IsActive() const override { return active_; }

        FakeWindowTimers& owner_;
        std::function<void()> onTick_;
        int64_t period_ = 0;
        int64_t due_ = 0;
        uint64_t order_ = 0;
        bool active_ = false;
    };

public:
    std::unique_ptr<WindowTimer> CreateTimer(std::function<void()> onTick) override
    {
        return std::make_unique<Timer>(*this, std::move(onTick));
    }

    void Advance(int64_t milliseconds)
    {
        const int64_t end = now_ + milliseconds;
        // The earliest due timer each time; handlers may start, stop, create or destroy timers.
        for (Timer* next = earliestDue(end); next != nullptr; next = earliestDue(end)) {
            now_ = next->due_;
            next->due_ += next->period_;
            next->onTick_();
        }
        now_ = end;
    }
    int ActiveCount() const
    {
        return int(std::count_if(
            timers_.begin(), timers_.end(), [](const Timer* t) { return t->active_; }));
    }

private:
    Timer* earliestDue(int64_t end) const
    {
        Timer* next = nullptr;
        for (Timer* t : timers_) {
            if (t->active_ && t->due_ <= end
                && (next == nullptr
                    || std::tie(t->due_, t->order_) < std::tie(next->due_, next->order_)))
                next = t;
        }
        return next;
    }

    int64_t now_ = 0;
    uint64_t order_ = 0; // starts, to break ties between timers due at the same moment
    std::vector<Timer*> timers_;
};

} // namespace velarin::testing
