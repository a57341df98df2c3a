#pragma once

#include "base/SystemTime.h"

#include <cstdint>

namespace velarin {

// The state the main frame's timers carry from tick to tick.
struct HeartbeatState {
    uint16_t minuteCounter = 0; // minutes since the last periodic setting
    uint16_t lastMinute = 0; // local minute and second seen last (both start at 0)
    uint16_t lastSecond = 0;
    uint32_t lastSentenceCount = 0;
    int secondsWithoutData = 0; // 0..4
};

// The minute counter's start value: one below the interval (so that the first minute change
// after start-up reaches it), 1 for an interval of 1. Interval 0 wraps to 65535.
uint16_t InitialMinuteCounter(uint16_t updateInterval);

// What the 50 ms tick's schedule step decided.
struct ScheduleDecision {
    bool intervalReached = false; // the counter was reset and the current server reloaded
    bool startSetting = false; // a setting run is to start
    bool beep = false;
    bool secondChanged = false; // the clock tip text is due
};

// The schedule and second-change steps of the 50 ms tick at local time `local`.
ScheduleDecision StepSchedule(HeartbeatState& state, const SystemTime& local,
    uint16_t updateInterval, bool referenceUsable, bool setBeep);

struct WatchdogDecision {
    bool noData = false; // the value of the no-data flag from now on
    bool resetRecord = false; // clear the GPS record (every second while no data comes)
};

// The one-second NMEA watchdog, given the parser's sentence count now.
WatchdogDecision StepWatchdog(HeartbeatState& state, uint32_t sentenceCount);

} // namespace velarin
