#include "engine/clockset/CancelSignal.h"

#include <vector>

namespace velarin {

void CancelSignal::Cancel()
{
    std::vector<Hook> hooks;
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
        for (const auto& [id, hook] : hooks_)
            hooks.push_back(hook);
    }
    changed_.notify_all();
    // Outside the lock: a hook may block briefly on the waiter it interrupts.
    for (const auto& hook : hooks)
        hook();
}

void CancelSignal::Reset()
{
    std::lock_guard lock(mutex_);
    cancelled_ = false;
}

bool CancelSignal::IsCancelled() const
{
    std::lock_guard lock(mutex_);
    return cancelled_;
}

bool CancelSignal::SleepFor(std::chrono::milliseconds duration)
{
    std::unique_lock lock(mutex_);
    return !changed_.wait_for(lock, duration, [this] { return cancelled_; });
}

uint64_t CancelSignal::AddHook(Hook hook)
{
    uint64_t id = 0;
    bool runNow = false;
    {
        std::lock_guard lock(mutex_);
        id = nextHookId_++;
        hooks_.emplace(id, hook);
        runNow = cancelled_;
    }
    if (runNow)
        hook();
    return id;
}

void CancelSignal::RemoveHook(uint64_t id)
{
    std::lock_guard lock(mutex_);
    hooks_.erase(id);
}

CancelHookScope::CancelHookScope(CancelSignal& signal, CancelSignal::Hook hook)
    : signal_(signal)
    , id_(signal.AddHook(std::move(hook)))
{
}

CancelHookScope::~CancelHookScope()
{
    signal_.RemoveHook(id_);
}

} // namespace velarin
