#include "engine/AppState.h"

namespace velarin {

std::string AppState::CurrentTimeServer() const
{
    std::lock_guard lock(textMutex_);
    return currentTimeServer_;
}

void AppState::SetCurrentTimeServer(std::string server)
{
    std::lock_guard lock(textMutex_);
    currentTimeServer_ = std::move(server);
}

std::string AppState::KernelPpsSource() const
{
    std::lock_guard lock(textMutex_);
    return kernelPpsSource_;
}

void AppState::SetKernelPpsSource(std::string device)
{
    std::lock_guard lock(textMutex_);
    kernelPpsSource_ = std::move(device);
}

} // namespace velarin
