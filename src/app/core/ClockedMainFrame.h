#pragma once

#include "app/core/ClockSettingCore.h"
#include "app/core/HeadlessMainFrame.h"

namespace velarin {

// The main frame of a run without windows that keeps the clock set: its creation starts the
// heartbeat, as the GUI frame's does.
class ClockedMainFrame : public HeadlessMainFrame {
public:
    ClockedMainFrame(
        CVelarinApp& app, SystemClock& clock, ThreadPriority& priority, Connectivity& connectivity);

    ClockSettingCore& Core() { return core_; }

private:
    ClockSettingCore core_;
};

} // namespace velarin
