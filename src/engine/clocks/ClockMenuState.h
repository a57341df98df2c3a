#pragma once

namespace velarin {

class SettingsStore;

// What the clock window's menu shows checked and grayed, taken from the settings and from the
// control of the current clock type.
struct ClockMenuState {
    int menuId = 303; // 302 analog, 303 digital
    int checkedColorCommand = 0; // digital menu only; 0 when the stored id is none of the four
    bool alwaysOnTop = false;
    bool localTime = true;
    bool twentyFourHour = true;
    bool dayOfYear = false;
    bool transparent = false;
    bool transparentEnabled = true;
    bool setTransparencyEnabled = false;
    bool analog = false;
    bool digital = true;
    bool setPcClockNowEnabled = true;
};

struct ClockControlFlags {
    int localTime = 1;
    int twentyFourHour = 1;
};

ClockMenuState ComputeClockMenuState(SettingsStore& settings, const ClockControlFlags& current,
    int digitalDayOfYear, bool translucencySupported, bool timeReferenceUsable);

} // namespace velarin
