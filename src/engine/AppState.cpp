#include "engine/AppState.h"

namespace velarin {

std::string AppState::CurrentTimeServer() const
{
    std::lock_guard lock(serverMutex_);
    return currentTimeServer_;
}

void AppState::SetCurrentTimeServer(std::string server)
{
    std::lock_guard lock(serverMutex_);
    currentTimeServer_ = std::move(server);
}

} // namespace velarin
