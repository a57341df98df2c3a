#include "engine/frame/HeartbeatLogic.h"

namespace velarin {

uint16_t InitialMinuteCounter(uint16_t updateInterval)
{
    return updateInterval == 1 ? 1 : static_cast<uint16_t>(updateInterval - 1);
}

ScheduleDecision StepSchedule(HeartbeatState& state, const SystemTime& local,
    uint16_t updateInterval, bool referenceUsable, bool setBeep)
{
    ScheduleDecision decision;
    if (local.minute != state.lastMinute) {
        ++state.minuteCounter;
        state.lastMinute = local.minute;
        // Unsigned: an interval of 0 is reached at every minute change.
        if (state.minuteCounter >= updateInterval) {
            state.minuteCounter = 0;
            decision.intervalReached = true;
            decision.startSetting = referenceUsable;
            decision.beep = referenceUsable && setBeep;
        }
    }
    if (local.second != state.lastSecond) {
        state.lastSecond = local.second;
        decision.secondChanged = true;
    }
    return decision;
}

WatchdogDecision StepWatchdog(HeartbeatState& state, uint32_t sentenceCount)
{
    WatchdogDecision decision;
    if (sentenceCount == state.lastSentenceCount) {
        if (state.secondsWithoutData < 4)
            ++state.secondsWithoutData;
        if (state.secondsWithoutData >= 4) {
            decision.noData = true;
            decision.resetRecord = true;
        }
    } else {
        state.secondsWithoutData = 0;
    }
    state.lastSentenceCount = sentenceCount;
    return decision;
}

} // namespace velarin
