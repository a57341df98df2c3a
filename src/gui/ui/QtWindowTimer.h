#pragma once

#include "engine/ui/WindowTimer.h"

namespace velarin {

// Window timers on the Qt event loop of the user-interface thread.
class QtWindowTimerFactory : public WindowTimerFactory {
public:
    std::unique_ptr<WindowTimer> CreateTimer(std::function<void()> onTick) override;

    // The one the program uses when nothing else is handed in.
    static QtWindowTimerFactory& Instance();
};

} // namespace velarin
