#pragma once

#include "app/core/HeartbeatDriver.h"
#include "engine/clockset/GpsClockSetting.h"
#include "engine/clockset/ParserTimeSource.h"
#include "engine/clockset/PpsDetector.h"
#include "engine/clockset/RateCorrectingClock.h"
#include "engine/clockset/SetTimeWorker.h"
#include "engine/frame/Heartbeat.h"
#include "engine/frame/SerialLinkWatch.h"
#include "engine/frame/SystemLog.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/irig/IrigGenerator.h"
#include "platform/AudioDevice.h"
#include "platform/Connectivity.h"
#include "platform/NetworkSockets.h"
#include "platform/SystemClock.h"
#include "platform/ThreadPriority.h"

#include <functional>
#include <memory>

namespace velarin {

class CVelarinApp;

// Everything that keeps the clock set, wired together: the parser fed from the GPS link, the
// heartbeat and its Qt driver, the set-time worker with the GPS procedure and 1PPS wait, and the
// system log. Owned by the main frame (headless or GUI) for the whole run.
class ClockSettingCore : private HeartbeatHost {
public:
    // audio is the sound output of the IRIG time code; null means the sound card through ALSA.
    ClockSettingCore(CVelarinApp& app, SystemClock& clock, ThreadPriority& priority,
        Connectivity& connectivity, std::unique_ptr<AudioDevice> audio = nullptr);
    ~ClockSettingCore() override;

    // Starts the IRIG output when it is enabled, then the timers; the first tick may start a
    // setting at once.
    void Start();

    CNmeaParser& Parser() { return parser_; }
    SetTimeWorker& Worker() { return worker_; }
    SystemLog& Log() { return log_; }
    CIrigGenerator& Irig() { return irig_; }
    HeartbeatDriver& Driver() { return driver_; }
    // The network path through the program's SNTP and Daytime clients over these sockets.
    void UseNetworkClients(NetworkSockets& sockets);
    // The "Set PC Clock Now" command: reload the server and start a run.
    void SetPcClockNow();
    // Makes the server the list picks for the next query the current one.
    void ReloadCurrentTimeServer() { LoadCurrentTimeServer(); }

    // The windowed frame's share of the heartbeat: the tray every 200 ms, the clock's hover
    // text when the local second changed. Empty in a headless run.
    std::function<void()> onRefreshTray;
    std::function<void()> onClockTip;

private:
    // HeartbeatHost
    void PollSerial() override;
    void CheckSerialLink() override;
    bool IsTimeLocked() override;
    uint32_t GetSentenceCount() override;
    void ResetGpsRecord() override;
    void IrigTick() override;
    void LoadCurrentTimeServer() override;
    void StartSetTimeThread() override;
    void Beep() override;
    bool IsInternetConnected() override;
    void RefreshTray() override;
    void UpdateClockTip(const SystemTime& local) override;

    CVelarinApp& app_;
    SystemClock& clock_;
    Connectivity& connectivity_;
    CNmeaParser parser_;
    SystemLog ownLog_; // used when the program keeps no log of its own
    SystemLog& log_;
    // Every setting goes through it: it measures what the setting removed and corrects the rate.
    RateCorrectingClock settingClock_;
    ParserTimeSource timeSource_;
    SetTimeWorker worker_;
    PpsDetector pps_;
    GpsClockSetting gpsSetting_;
    SerialLinkWatch linkWatch_;
    Heartbeat heartbeat_;
    HeartbeatDriver driver_;
    std::unique_ptr<AudioDevice> audio_;
    CIrigGenerator irig_;
};

} // namespace velarin
