#include "engine/clockset/GpsClockSetting.h"

#include "base/Calendar.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/FakeThreadPriority.h"
#include "support/LogFileUnderTest.h"
#include "support/ScriptedGpsTimeSource.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace velarin {
namespace {

using namespace std::chrono_literals;

SystemTime date(int y, int mo, int d, int h, int mi, int s, int ms = 0)
{
    return SystemTime { static_cast<uint16_t>(y), static_cast<uint16_t>(mo), 0,
        static_cast<uint16_t>(d), static_cast<uint16_t>(h), static_cast<uint16_t>(mi),
        static_cast<uint16_t>(s), static_cast<uint16_t>(ms) };
}

// The record with the day of week that the calendar gives it.
SystemTime withWeekday(const SystemTime& t)
{
    return FromUnixMilliseconds(*ToUnixMilliseconds(t));
}

class GpsClockSettingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.timeReferenceUsable = 1;
        app.useTimrFrom = 1;
    }
    // Runs one attempt on another thread; `whileWaiting` runs once the attempt waits for the
    // next second.
    int attempt(const std::function<void()>& whileWaiting)
    {
        auto result = std::async(std::launch::async, [this] { return setting.SetTimeFromGps(); });
        if (whileWaiting) {
            EXPECT_TRUE(gps.WaitUntilWaiting(5s));
            whileWaiting();
        }
        EXPECT_EQ(result.wait_for(5s), std::future_status::ready);
        return result.get();
    }

    std::atomic<int64_t> trueMicros { *ToUnixMilliseconds(date(2026, 3, 4, 12, 0, 0, 400)) * 1000 };
    SimulatedSystemClock clock { [this] { return trueMicros.load(); } };
    AppState app;
    MemorySettingsStore settings;
    SystemLog log { clock };
    test::LogFileUnderTest logFile { log };
    test::ScriptedGpsTimeSource gps;
    test::FakeThreadPriority priority;
    CancelSignal cancel;
    PpsDetector pps { settings, app, gps, priority, cancel, [] { return nullptr; } };
    GpsClockSetting setting { settings, app, gps, clock, log, pps, cancel };
};

TEST_F(GpsClockSettingTest, SetsTheNewSecondPlusTheDelayFromRmc)
{
    gps.Publish(date(2026, 3, 4, 11, 59, 58));
    EXPECT_EQ(attempt([&] { gps.Publish(date(2026, 3, 4, 11, 59, 59)); }), 1);
    const auto requests = clock.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].requested, withWeekday(date(2026, 3, 4, 11, 59, 59, 50)));
    const std::vector<std::string> expected { "Wait one second", "Using year from ZDA or RMC",
        "GPSTime is: 03/04/2026 11:59:59", "Time set" };
    EXPECT_EQ(logFile.Lines(), expected);
    using L = ThreadPriorityLevel;
    EXPECT_EQ(priority.Calls(), (std::vector<L> { L::Normal, L::AboveNormal }));
}

TEST_F(GpsClockSettingTest, GgaTimeKeepsThePcDateAndAvoidsTheHoursAroundMidnight)
{
    app.useTimrFrom = 0;
    clock.SetLocalOffsetMinutes(-11 * 60 - 30); // 12:00 UTC is 00:30 local: allowed
    gps.Publish(date(2000, 1, 1, 11, 59, 58));
    EXPECT_EQ(attempt([&] { gps.Publish(date(2000, 1, 1, 11, 59, 59)); }), 1);

    for (int localHour : { 1, 23 }) {
        clock.SetLocalOffsetMinutes((localHour - 12) * 60 + 30);
        EXPECT_EQ(setting.SetTimeFromGps(), 0) << localHour;
    }
    EXPECT_EQ(clock.Requests().size(), 1u);
    EXPECT_EQ(logFile.Lines(),
        (std::vector<std::string> {
            "Wait one second", "GPSTime is: 03/04/2026 11:59:59", "Time set" }));
}

TEST(GpsClockSettingCompose, DelayPulseAndDateCarryThroughTheNewYear)
{
    // PC time, receiver time, receiver date used, pulse, delay, setting. A negative delay
    // borrows a second; a zero delay gives zero milliseconds; pulse and negative delay both
    // apply and cancel in the seconds; GGA keeps the PC's date, whose day rolls over with the
    // added second.
    const std::tuple<SystemTime, SystemTime, bool, bool, int, SystemTime> cases[] = {
        { date(2026, 3, 4, 12, 0, 0, 400), date(2026, 3, 4, 12, 0, 0), true, false, -200,
            withWeekday(date(2026, 3, 4, 11, 59, 59, 800)) },
        { date(2026, 3, 4, 9, 0, 0, 400), date(2026, 3, 4, 12, 0, 0), true, false, 0,
            date(2026, 3, 4, 12, 0, 0, 0) }, // no arithmetic: the day of the week as given
        { date(2004, 12, 31, 23, 59, 59, 900), date(2004, 12, 31, 23, 59, 59), true, true, 50,
            withWeekday(date(2005, 1, 1, 0, 0, 0, 50)) },
        { date(2004, 12, 31, 23, 59, 59), date(2004, 12, 31, 23, 59, 59), true, true, -100,
            withWeekday(date(2004, 12, 31, 23, 59, 59, 900)) },
        { date(2026, 2, 28, 23, 59, 59, 999), date(2000, 1, 1, 23, 59, 59), false, true, 0,
            withWeekday(date(2026, 3, 1, 0, 0, 0, 0)) },
    };
    for (const auto& [pc, gps, useDate, pulse, delay, expected] : cases)
        EXPECT_EQ(GpsClockSetting::ComposeSetting(pc, gps, useDate, pulse, delay), expected);
}

TEST_F(GpsClockSettingTest, NoReferenceClearedRecordMissingTimeOrCancelNeverSetsTheClock)
{
    app.timeReferenceUsable = 0;
    EXPECT_EQ(setting.SetTimeFromGps(), 0);
    EXPECT_TRUE(logFile.Lines().empty()) << "without a usable reference not even a wait";
    logFile.Reopen();
    app.timeReferenceUsable = 1;
    gps.Publish(date(2026, 3, 4, 11, 59, 58));
    EXPECT_EQ(attempt([&] { cancel.Cancel(); }), 0) << "a stop request ends the wait";
    cancel.Reset();
    // The watchdog clears the record (the seconds go to 0) and raises the no-data flag.
    gps.Publish(date(2026, 3, 4, 11, 59, 58));
    EXPECT_EQ(attempt([&] {
        app.noDataFlag = 1;
        gps.Publish(date(2000, 1, 1, 0, 0, 0));
    }),
        0);
    // A time the calendar cannot represent is no new second.
    app.noDataFlag = 0;
    EXPECT_EQ(attempt([&] {
        gps.Publish(std::nullopt);
        gps.WaitUntilWaiting(5s);
        app.timeReferenceUsable = 0;
    }),
        0);
    EXPECT_TRUE(clock.Requests().empty());
    EXPECT_EQ(logFile.Lines(), std::vector<std::string>(3, "Wait one second"));
}

} // namespace
} // namespace velarin
