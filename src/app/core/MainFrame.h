#pragma once

#include <functional>
#include <memory>

namespace velarin {

class CVelarinApp;

// The hidden main frame: its creation adds the tray icon, creates the desktop clock and starts
// the timers; destroying it stores the clock position and removes the tray icon.
class MainFrame {
public:
    virtual ~MainFrame() = default;
    // A second copy of the program asked for the properties window (the 0x401 request).
    virtual void OnShowPropertiesRequest() = 0;
};

// Creates the main frame once the start-up settings are loaded; null when it cannot be created.
using MainFrameFactory = std::function<std::unique_ptr<MainFrame>(CVelarinApp&)>;

} // namespace velarin
