#include "engine/frame/Heartbeat.h"
#include "engine/frame/TrayStatus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velarin {
namespace {

SystemTime at(int hour, int minute, int second, int ms = 0)
{
    return SystemTime { 2026, 12, 0, 6, static_cast<uint16_t>(hour), static_cast<uint16_t>(minute),
        static_cast<uint16_t>(second), static_cast<uint16_t>(ms) };
}

class RecordingHost : public HeartbeatHost {
public:
    void IrigTick() override { ++irigTicks; }
    void PollSerial() override { ++polls; }
    bool IsTimeLocked() override { return locked; }
    uint32_t GetSentenceCount() override { return sentenceCount; }
    void ResetGpsRecord() override { ++resets; }
    void LoadCurrentTimeServer() override { ++serverLoads; }
    void StartSetTimeThread() override { ++starts; }
    void Beep() override { ++beeps; }
    bool IsInternetConnected() override { return internet; }
    void RefreshTray() override { ++trayRefreshes; }
    void UpdateClockTip(const SystemTime& local) override { tips.push_back(local); }

    bool locked = false;
    bool internet = true;
    uint32_t sentenceCount = 0;
    int irigTicks = 0, polls = 0, resets = 0, serverLoads = 0, starts = 0, beeps = 0,
        trayRefreshes = 0;
    std::vector<SystemTime> tips;
};

class HeartbeatTest : public ::testing::Test {
protected:
    // Runs timer 1 every 50 ms from `from` for `seconds` seconds.
    void runFor(SystemTime from, int seconds)
    {
        for (int tick = 0; tick < seconds * 20; ++tick) {
            const int ms = tick * 50;
            const int total = from.hour * 3600 + from.minute * 60 + from.second + ms / 1000;
            heartbeat.OnTimer1(at(total / 3600 % 24, total / 60 % 60, total % 60, ms % 1000));
        }
    }

    AppState app;
    RecordingHost host;
    Heartbeat heartbeat { app, host };
};

TEST_F(HeartbeatTest, FirstTickReloadsTheServerAndSetsWithAUsableReferenceThenEveryIntervalOrMinute)
{
    // The network reference sets at once, without reading the serial link, and beeps; an
    // unlocked receiver only restarts the count.
    app.timeUpdateRate = 60;
    for (int network : { 1, 0 }) {
        SCOPED_TRACE(network);
        host = RecordingHost {};
        app.useNetworkTime = network;
        app.enableSetBeep = network;
        heartbeat.Start();
        heartbeat.OnTimer1(at(10, 15, 30));
        EXPECT_EQ(
            std::tuple(host.starts, host.serverLoads, host.polls, app.timeReferenceUsable.load()),
            std::tuple(network, 1, 1 - network, network));
        host.locked = true;
        runFor(at(10, 15, 30), 3600 - 31);
        EXPECT_EQ(host.starts, network);
        runFor(at(11, 14, 59), 2); // crosses 11:15:00
        EXPECT_EQ(std::tuple(host.starts, host.beeps), std::tuple(network + 1, 2 * network));
    }

    // Intervals 1 and 0 set at every minute change.
    for (uint16_t interval : { uint16_t { 1 }, uint16_t { 0 } }) {
        host = RecordingHost {};
        host.locked = true;
        app.timeUpdateRate = interval;
        heartbeat.Start();
        runFor(at(8, 0, 30), 3 * 60);
        // 08:00:30 sees no change from the remembered minute 0; then 08:01, 08:02 and 08:03.
        EXPECT_EQ(host.starts, 3) << "interval " << interval;
    }
}

TEST_F(HeartbeatTest, LockIsReevaluatedOnEveryTickAndOnReadableBytes)
{
    heartbeat.Start();
    host.locked = true;
    heartbeat.OnTimer1(at(12, 0, 0, 0));
    EXPECT_EQ(app.timeReferenceUsable.load(), 1);
    host.locked = false;
    heartbeat.OnTimer1(at(12, 0, 0, 50));
    EXPECT_EQ(app.timeReferenceUsable.load(), 0);
    host.locked = true;
    heartbeat.OnSerialReadable();
    EXPECT_EQ(std::tuple(app.timeReferenceUsable.load(), host.polls, host.irigTicks),
        std::tuple(1, 3, 2));

    app.useNetworkTime = 1;
    heartbeat.OnSerialReadable();
    EXPECT_EQ(host.polls, 3);
}

TEST_F(HeartbeatTest, WatchdogClearsTheRecordAfterFourQuietSecondsAndInternetIsWatched)
{
    heartbeat.Start();
    host.sentenceCount = 5; // the first tick sees a change from 0
    for (int second = 0; second < 4; ++second) {
        heartbeat.OnTimer4();
        EXPECT_EQ(std::tuple(app.noDataFlag.load(), host.resets), std::tuple(0, 0)) << second;
    }
    for (int second = 0; second < 3; ++second)
        heartbeat.OnTimer4();
    EXPECT_EQ(std::tuple(app.noDataFlag.load(), host.resets, heartbeat.State().secondsWithoutData),
        std::tuple(1, 3, 4));
    host.sentenceCount = 6;
    heartbeat.OnTimer4();
    EXPECT_EQ(std::tuple(app.noDataFlag.load(), heartbeat.State().secondsWithoutData, host.resets),
        std::tuple(0, 0, 3));

    // A missing Internet connection raises the network failure flag but never clears it.
    for (auto [internet, flag] : { std::pair(true, 0), std::pair(false, 1), std::pair(true, 1) }) {
        host.internet = internet;
        heartbeat.OnTimer4();
        EXPECT_EQ(app.networkFailure.load(), flag) << internet;
    }
    heartbeat.OnTimer3();
    EXPECT_EQ(host.trayRefreshes, 1);
}

TEST(TrayStatusTest, FirstMatchWins)
{
    // Network: busy beats a failure; the GPS-only flags never matter. GPS: no data beats a running
    // setting, which beats the lock state; a network failure is not shown.
    const std::tuple<TrayInputs, int, const char*> cases[] = {
        { TrayInputs { true, true, true, true, false }, 140,
            "Velarin - Setting PC clock to Netwotk Time" },
        { TrayInputs { true, false, true, true, false }, 141,
            "Velarin - Cannot connect to network\ntime server" },
        { TrayInputs { false, true, true, true, true }, 137, "GPS NMEA data not available" },
        { TrayInputs { false, true, true, false, false }, 136, "Setting time to GPS" },
        { TrayInputs { false, false, true, false, false }, 155, "Receiving NMEA, Not Time Locked" },
    };
    for (const auto& [inputs, icon, tip] : cases) {
        const auto s = TrayStatus::SelectTrayState(inputs);
        EXPECT_EQ(std::tie(s.iconId, s.tipText), std::tuple(icon, tip));
    }
}

} // namespace
} // namespace velarin
