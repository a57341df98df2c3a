#include "engine/clockset/PpsDetector.h"
#include "engine/clockset/GpsClockSetting.h"

#include "base/Calendar.h"
#include "engine/clockset/RateCorrectingClock.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/FakeThreadPriority.h"
#include "support/ScriptedGpsTimeSource.h"

#include <gtest/gtest.h>

#include <future>

namespace velarin {
namespace {

using namespace std::chrono_literals;

// The simulated device, telling the test how many waits (line and kernel) have begun and how
// many line changes its waits have consumed.
class ProbedDevice : public SimulatedSerialDevice {
public:
    LineEventResult WaitLineEvent(int timeoutMs) override
    {
        count(waits);
        const LineEventResult result = SimulatedSerialDevice::WaitLineEvent(timeoutMs);
        if (result == LineEventResult::Changed)
            count(changes);
        return result;
    }
    LineEventResult WaitKernelPps(PpsEdge edge, int timeoutMs, int64_t& stamp) override
    {
        count(kernelWaits);
        return SimulatedSerialDevice::WaitKernelPps(edge, timeoutMs, stamp);
    }
    // Blocks (at most 5 s) until the counter reached `wanted`.
    bool WaitFor(const std::atomic<int>& counter, int wanted)
    {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 5s, [&] { return counter >= wanted; });
    }

    std::atomic<int> waits = 0, changes = 0, kernelWaits = 0;

private:
    void count(std::atomic<int>& counter)
    {
        std::lock_guard lock(mutex_);
        ++counter;
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
};

SystemTime second(int s)
{
    return SystemTime { 2004, 12, 5, 31, 23, 59, static_cast<uint16_t>(s), 0 };
}

class PpsDetectorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.timeReferenceUsable = 1;
        device.Open("/dev/simulated");
        gps.Publish(second(50));
    }
    void configure(int polarity, int line)
    {
        settings.WriteProfileInt(keys::kSettings, keys::kOnePpsPolarity, polarity);
        settings.WriteProfileInt(keys::kSettings, keys::kLine, line);
    }
    // The receiver decodes the next second once the detector waits for it; with a line given,
    // the pulse comes while the sentence is awaited and the test waits until the device's
    // waits have taken `changes` edges in all.
    void nextSecond(int s, uint32_t line = 0, int changes = 0)
    {
        ASSERT_TRUE(gps.WaitUntilWaiting(5s));
        if (line != 0)
            device.RaiseLineEdge(line, true);
        gps.Publish(second(s));
        if (changes > 0) {
            ASSERT_TRUE(device.WaitFor(device.changes, changes));
        }
    }
    std::future<bool> start()
    {
        return std::async(std::launch::async, [this] { return detector.WaitForPps(); });
    }
    static bool finish(std::future<bool>& result)
    {
        EXPECT_EQ(result.wait_for(10s), std::future_status::ready);
        return result.get();
    }

    AppState app;
    MemorySettingsStore settings;
    ProbedDevice device;
    test::ScriptedGpsTimeSource gps;
    test::FakeThreadPriority priority;
    CancelSignal cancel;
    SerialDevice* port = &device;
    int64_t stampClock = 0;
    PpsDetector detector { settings, app, gps, priority, cancel, [this] { return port; } };
};

TEST_F(PpsDetectorTest, AnyTransitionSucceedsAtTheSecondEdgeWhateverTheLevel)
{
    configure(2, kLineEventCts);
    auto result = start();
    nextSecond(51, kLineEventCts, 1); // the first wait took the pulse at once
    device.RaiseLineEdge(kLineEventCts, false);
    EXPECT_TRUE(finish(result));
}

TEST_F(PpsDetectorTest, RisingPolarityRetriesAfterAFallingEdge)
{
    configure(1, kLineEventCts);
    auto result = start();
    nextSecond(51, kLineEventCts, 1);
    device.RaiseLineEdge(kLineEventCts, false); // the second wait ends low: this try fails

    ASSERT_TRUE(gps.WaitUntilWaiting(5s));
    device.RaiseLineEdge(kLineEventCts, true);
    device.RaiseLineEdge(kLineEventCts, false);
    gps.Publish(second(52));
    ASSERT_TRUE(device.WaitFor(device.changes, 3)); // two waits of the first try, one of this

    device.RaiseLineEdge(kLineEventCts, true);
    EXPECT_TRUE(finish(result));
}

TEST_F(PpsDetectorTest, PulseOnTheOtherLineTimesOutThreeTimes)
{
    configure(2, kLineEventDsr);
    detector.SetLineWaitTimeout(60);
    auto result = start();
    for (int s = 51; s <= 53; ++s) {
        ASSERT_TRUE(gps.WaitUntilWaiting(5s));
        device.RaiseLineEdge(kLineEventCts, s % 2 == 1);
        gps.Publish(second(s));
    }
    EXPECT_FALSE(finish(result));
}

TEST_F(PpsDetectorTest, UnknownPolarityClosedPortOrUnusableReferenceFails)
{
    configure(3, kLineEventCts);
    auto unknown = start();
    for (int s = 51; s <= 53; ++s)
        nextSecond(s);
    EXPECT_FALSE(finish(unknown));
    EXPECT_EQ(device.waits.load(), 0) << "an unknown polarity only waits for three seconds";

    configure(2, kLineEventCts);
    port = nullptr;
    EXPECT_FALSE(detector.WaitForPps());
    port = &device;
    device.Close();
    EXPECT_FALSE(detector.WaitForPps());
    device.Open("/dev/simulated");
    auto result = start();
    ASSERT_TRUE(gps.WaitUntilWaiting(5s));
    app.timeReferenceUsable = 0;
    EXPECT_FALSE(finish(result));
}

TEST_F(PpsDetectorTest, CancelEndsAnEdgeWaitAndLeavesTheDeviceUsable)
{
    configure(2, kLineEventCts);
    auto result = start();
    nextSecond(51);
    ASSERT_TRUE(device.WaitFor(device.waits, 1));
    cancel.Cancel();
    EXPECT_FALSE(finish(result));

    cancel.Reset();
    ASSERT_TRUE(device.SetEventMask(kLineEventCts));
    device.RaiseLineEdge(kLineEventCts, true);
    EXPECT_EQ(device.WaitLineEvent(1000), LineEventResult::Changed);
}

TEST_F(PpsDetectorTest, KernelStampOfTheFallingEdge)
{
    device.KernelPps().Plug("/dev/pps0", [this] { return ++stampClock * 1000; });
    configure(0, kLineEventDcd);
    auto result = start();
    nextSecond(51);
    ASSERT_TRUE(device.WaitFor(device.kernelWaits, 2)); // past the look at the edges stamped before
    device.RaiseLineEdge(kLineEventDcd, true); // stamp 1: an assert, not the edge wanted
    device.RaiseLineEdge(kLineEventDcd, false); // stamp 2
    EXPECT_TRUE(finish(result));
    EXPECT_EQ(detector.LastEdgeUtcMicroseconds(), 2000);
    EXPECT_EQ(app.KernelPpsSource(), "/dev/pps0");
}

// Set through the rate-correcting clock as the program does: with the kernel's stamp, the
// setting waits for the millisecond after the edge and adds the milliseconds since it; a stamp
// from another second (or ahead of the clock, stepped back) adds nothing; a delay of a whole
// second is left for the clock to refuse.
TEST_F(PpsDetectorTest, GpsSettingCatchesUpWithTheStampedEdge)
{
    SimulatedSystemClock pc { [] { return int64_t { 1104537600 } * 1000000; } };
    SystemLog log { pc };
    RateCorrectingClock clock { pc, settings, app, log, [](std::string_view) {} };
    GpsClockSetting setting { settings, app, gps, clock, log, detector, cancel };
    app.onePpsInput = 1;
    app.useTimrFrom = 1;
    configure(1, kLineEventDcd);
    int64_t stampAge = 0;
    device.KernelPps().Plug("/dev/pps0", [&] { return pc.GetUtcMicroseconds() - stampAge; });
    // Age of the stamp, delay, result, milliseconds set.
    const std::tuple<int64_t, int, int, int> cases[]
        = { { 2300, 50, 1, 53 }, { 1500000, 50, 1, 50 }, { -5, 50, 1, 50 }, { 0, 1000, 0, 1000 } };
    int s = 50;
    for (auto [age, delay, expected, milliseconds] : cases) {
        stampAge = age;
        settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, delay);
        const int waits = device.kernelWaits;
        auto result = std::async(std::launch::async, [&] { return setting.SetTimeFromGps(); });
        nextSecond(++s);
        ASSERT_TRUE(device.WaitFor(device.kernelWaits, waits + 2));
        device.RaiseLineEdge(kLineEventDcd, true);
        EXPECT_EQ(result.get(), expected);
        device.RaiseLineEdge(kLineEventDcd, false);
        const SystemTime set = pc.Requests().back().requested;
        EXPECT_EQ(std::tuple(set.second, set.milliseconds), std::tuple(s + 1, milliseconds));
    }
}

TEST_F(PpsDetectorTest, UnpluggedKernelSourceFallsBackToTheLine)
{
    device.KernelPps().Plug("/dev/pps0", [this] { return ++stampClock; });
    configure(1, kLineEventDcd);
    auto result = start();
    nextSecond(51);
    ASSERT_TRUE(device.WaitFor(device.kernelWaits, 2));
    device.KernelPps().Unplug();
    // The line: the first wait takes the changes made while the sentence was awaited, the
    // second ends on the rising edge.
    ASSERT_TRUE(gps.WaitUntilWaiting(5s));
    device.RaiseLineEdge(kLineEventDcd, true);
    device.RaiseLineEdge(kLineEventDcd, false);
    gps.Publish(second(52));
    ASSERT_TRUE(device.WaitFor(device.waits, 2));
    device.RaiseLineEdge(kLineEventCts, true); // not the watched line
    device.RaiseLineEdge(kLineEventDcd, true);
    EXPECT_TRUE(finish(result));
    EXPECT_EQ(detector.LastEdgeUtcMicroseconds(), std::nullopt);
    EXPECT_EQ(app.KernelPpsSource(), "");
}

} // namespace
} // namespace velarin
