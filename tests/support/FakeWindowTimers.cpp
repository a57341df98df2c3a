#include "support/FakeWindowTimers.h"

#include <algorithm>
#include <limits>

namespace velarin::testing {

class FakeWindowTimers::Timer : public WindowTimer {
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

FakeWindowTimers::FakeWindowTimers() = default;
FakeWindowTimers::~FakeWindowTimers() = default;

std::unique_ptr<WindowTimer> FakeWindowTimers::CreateTimer(std::function<void()> onTick)
{
    return std::make_unique<Timer>(*this, std::move(onTick));
}

int FakeWindowTimers::ActiveCount() const
{
    return static_cast<int>(
        std::count_if(timers_.begin(), timers_.end(), [](const Timer* t) { return t->active_; }));
}

void FakeWindowTimers::Advance(int64_t milliseconds)
{
    const int64_t end = now_ + milliseconds;
    for (;;) {
        // The earliest due timer; handlers may start, stop, create or destroy timers.
        Timer* next = nullptr;
        for (Timer* t : timers_) {
            if (!t->active_ || t->due_ > end)
                continue;
            if (next == nullptr || t->due_ < next->due_
                || (t->due_ == next->due_ && t->order_ < next->order_))
                next = t;
        }
        if (next == nullptr)
            break;
        now_ = next->due_;
        next->due_ += next->period_;
        next->onTick_();
    }
    now_ = end;
}

} // namespace velarin::testing
