#include "engine/frame/Heartbeat.h"

namespace velarin {

Heartbeat::Heartbeat(AppState& app, HeartbeatHost& host)
    : app_(app)
    , host_(host)
{
}

void Heartbeat::Start()
{
    state_ = HeartbeatState {};
    state_.minuteCounter = InitialMinuteCounter(app_.timeUpdateRate.load());
}

void Heartbeat::pollAndEvaluateLock()
{
    if (app_.useNetworkTime.load() == 0) {
        host_.PollSerial();
        app_.timeReferenceUsable.store(host_.IsTimeLocked() ? 1 : 0);
    } else {
        app_.timeReferenceUsable.store(1);
    }
}

void Heartbeat::OnTimer1(const SystemTime& local)
{
    host_.IrigTick();
    pollAndEvaluateLock();
    const ScheduleDecision decision = StepSchedule(state_, local, app_.timeUpdateRate.load(),
        app_.timeReferenceUsable.load() == 1, app_.enableSetBeep.load() == 1);
    if (decision.intervalReached)
        host_.LoadCurrentTimeServer();
    if (decision.startSetting)
        host_.StartSetTimeThread();
    if (decision.beep)
        host_.Beep();
    if (decision.secondChanged)
        host_.UpdateClockTip(local);
}

void Heartbeat::OnTimer3()
{
    host_.RefreshTray();
}

void Heartbeat::OnTimer4()
{
    if (!host_.IsInternetConnected())
        app_.networkFailure.store(1);
    if (app_.useNetworkTime.load() == 0)
        host_.CheckSerialLink();
    const WatchdogDecision decision = StepWatchdog(state_, host_.GetSentenceCount());
    // The flag goes up before the record is cleared, so that a worker that sees the cleared
    // record also sees the flag.
    app_.noDataFlag.store(decision.noData ? 1 : 0);
    if (decision.resetRecord)
        host_.ResetGpsRecord();
}

void Heartbeat::OnSerialReadable()
{
    if (app_.useNetworkTime.load() == 0)
        pollAndEvaluateLock();
}

} // namespace velarin
