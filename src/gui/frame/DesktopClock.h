#pragma once

namespace velarin {

// What the main frame asks of the desktop clock window it owns.
class DesktopClock {
public:
    virtual ~DesktopClock() = default;

    virtual void ShowClock() = 0; // show and bring to the foreground
    virtual void HideClock() = 0;
    virtual bool IsClockVisible() const = 0;
    // Back to (0, 0), 300 x 100, shown and in front: the way out when the clock went off-screen.
    virtual void ResetClockPosition() = 0;
    virtual void SaveClockPosition() = 0;
    // Once a second: the hover text follows the time (left alone while the clock is dragged).
    virtual void RefreshHoverText() = 0;
    // Without a tray the clock is the only way in: its menu then also offers "&Exit" and
    // cannot hide the clock.
    virtual void SetNoTrayMode(bool on) = 0;
};

} // namespace velarin
