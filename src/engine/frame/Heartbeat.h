#pragma once

#include "base/SystemTime.h"
#include "engine/AppState.h"
#include "engine/frame/HeartbeatLogic.h"

#include <cstdint>

namespace velarin {

// What the heartbeat acts on. The program's implementation reaches the serial link, the
// parser, the set-time worker and the tray; tests record the calls.
class HeartbeatHost {
public:
    virtual ~HeartbeatHost() = default;

    virtual void IrigTick() { }
    // Reads the bytes waiting on the GPS link (up to 512) and feeds them to the parser.
    virtual void PollSerial() = 0;
    // Once a second while the GPS is the reference: brings back a receiver that went away.
    virtual void CheckSerialLink() { }
    virtual bool IsTimeLocked() = 0;
    virtual uint32_t GetSentenceCount() = 0;
    virtual void ResetGpsRecord() = 0;
    virtual void LoadCurrentTimeServer() = 0;
    virtual void StartSetTimeThread() = 0;
    virtual void Beep() = 0;
    virtual bool IsInternetConnected() = 0;
    virtual void RefreshTray() { }
    // The clock window's hover text for the local time given (once per second).
    virtual void UpdateClockTip(const SystemTime& /*local*/) { }
};

// The work of the main frame's three timers (50 ms, 200 ms, 1 s), driven by whoever owns the
// timers (the Qt driver, or a test with a fake clock) with the local time of each tick.
class Heartbeat {
public:
    Heartbeat(AppState& app, HeartbeatHost& host);

    // The start values that the frame's creation sets (the minute counter from "TimeUpdateRate").
    void Start();

    // Timer 1 (50 ms): IRIG, serial polling, lock, minute schedule, clock tip.
    void OnTimer1(const SystemTime& local);
    // Timer 3 (200 ms): tray icon and tip.
    void OnTimer3();
    // Timer 4 (1 s): Internet check, the GPS link's return, NMEA watchdog.
    void OnTimer4();
    // Bytes are waiting on the GPS link: decode them now rather than at the next 50 ms tick.
    void OnSerialReadable();

    const HeartbeatState& State() const { return state_; }

private:
    void pollAndEvaluateLock();

    AppState& app_;
    HeartbeatHost& host_;
    HeartbeatState state_;
};

} // namespace velarin
