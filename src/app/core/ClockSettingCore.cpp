#include "app/core/ClockSettingCore.h"

#include "app/core/VelarinApp.h"
#include "engine/nettime/NetworkTime.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/linux/AlsaAudioDevice.h"

#include <algorithm>

#include <atomic>

namespace velarin {

ClockSettingCore::ClockSettingCore(CVelarinApp& app, SystemClock& clock, ThreadPriority& priority,
    Connectivity& connectivity, std::unique_ptr<AudioDevice> audio)
    : app_(app)
    , clock_(clock)
    , connectivity_(connectivity)
    , ownLog_(clock)
    , log_(app.systemLog ? *app.systemLog : ownLog_)
    , settingClock_(clock, app.Settings(), app.State(), log_)
    , timeSource_(parser_, app.State())
    , worker_(app.State(), log_, connectivity, priority)
    , pps_(app.Settings(), app.State(), timeSource_, priority, worker_.Cancellation(),
          [&app]() -> SerialDevice* {
              return app.SerialPort().IsOpen() ? &app.SerialPort().Device() : nullptr;
          })
    , gpsSetting_(app.Settings(), app.State(), timeSource_, settingClock_, log_, pps_,
          worker_.Cancellation())
    , linkWatch_(app.SerialPort(), log_)
    , heartbeat_(app.State(), *this)
    , driver_(heartbeat_, clock,
          [&app] {
              // With the network reference nobody reads the link: watching it would only spin.
              if (app.State().useNetworkTime.load() != 0 || !app.SerialPort().IsOpen())
                  return -1;
              return app.SerialPort().Device().ReadableHandle();
          })
    , audio_(audio ? std::move(audio) : std::make_unique<AlsaAudioDevice>())
    , irig_(clock, *audio_, app.Notifier())
{
    worker_.SetGpsProcedure([this] { return gpsSetting_.SetTimeFromGps(); });
    gpsSetting_.SetSettingNote([this] { return settingClock_.SettingNote(); });
}

ClockSettingCore::~ClockSettingCore()
{
    driver_.Stop();
    worker_.StopSetTimeThread();
    irig_.Stop();
}

void ClockSettingCore::Start()
{
    SettingsStore& settings = app_.Settings();
    if (settings.GetProfileInt(keys::kIrig, keys::kIRIGEnable, 0) == 1) {
        // A hand-edited compression outside the slider's range would give a rate at which a
        // frame no longer fits its second.
        const int compression
            = std::clamp(settings.GetProfileInt(
                             keys::kIrig, keys::kFrameCompression, keys::kFrameCompressionDefault),
                0, keys::kFrameCompressionMax);
        irig_.SetSampleRate(CIrigGenerator::SampleRateForCompression(compression));
        irig_.Start();
        irig_.SetTwelveHourMode(settings.GetProfileInt(keys::kIrig, keys::kEnable12HourMode, 0));
        irig_.SetUtcMode(settings.GetProfileInt(keys::kIrig, keys::kEnableUTCTime, 0));
    }
    driver_.Start();
}

void ClockSettingCore::IrigTick()
{
    irig_.Tick();
}

void ClockSettingCore::UseNetworkClients(NetworkSockets& sockets)
{
    worker_.SetNetworkProcedure([this, &sockets](CancelSignal& cancel) {
        std::atomic<bool> stop { false };
        CancelHookScope stopOnCancel(cancel, [&stop] { stop = true; });
        NetworkTimeContext context { app_.Settings(), app_.State(), settingClock_, sockets };
        context.log = &log_;
        context.settingNote = [this] { return settingClock_.SettingNote(); };
        context.cancel = &stop;
        return SetClockFromNetwork(context);
    });
}

void ClockSettingCore::SetPcClockNow()
{
    LoadCurrentTimeServer();
    worker_.StartSetTimeThread();
}

void ClockSettingCore::PollSerial()
{
    uint8_t buffer[512];
    const size_t count = app_.SerialPort().Read(buffer, sizeof buffer);
    if (count > 0) {
        // The configuration page may switch it at any moment.
        parser_.SetAcceptAllTalkers(app_.State().acceptAllTalkers.load() != 0);
        parser_.ProcessBytes(buffer, count);
    }
}

void ClockSettingCore::CheckSerialLink()
{
    linkWatch_.Check();
}

bool ClockSettingCore::IsTimeLocked()
{
    return parser_.IsTimeLocked(app_.State());
}

uint32_t ClockSettingCore::GetSentenceCount()
{
    return parser_.GetSentenceCount();
}

void ClockSettingCore::ResetGpsRecord()
{
    parser_.Reset();
}

void ClockSettingCore::LoadCurrentTimeServer()
{
    if (app_.loadCurrentTimeServer)
        app_.State().SetCurrentTimeServer(app_.loadCurrentTimeServer());
}

void ClockSettingCore::StartSetTimeThread()
{
    worker_.StartSetTimeThread();
}

void ClockSettingCore::Beep()
{
    app_.Notifier().Beep(MessageIcon::None);
}

bool ClockSettingCore::IsInternetConnected()
{
    return connectivity_.IsInternetConnected();
}

void ClockSettingCore::RefreshTray()
{
    if (onRefreshTray)
        onRefreshTray();
}

void ClockSettingCore::UpdateClockTip(const SystemTime&)
{
    if (onClockTip)
        onClockTip();
}

} // namespace velarin
