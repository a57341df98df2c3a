#include "engine/clockset/GpsClockSetting.h"
#include "engine/clockset/PpsDetector.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/FakeThreadPriority.h"
#include "support/ScriptedGpsTimeSource.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace velarin {
namespace {

using namespace std::chrono_literals;

// Counts the waits begun, so that a test raises an edge once the wait it means runs.
class CountingDevice : public SimulatedSerialDevice {
public:
    LineEventResult WaitLineEvent(int timeoutMs) override
    {
        ++lineWaits;
        return SimulatedSerialDevice::WaitLineEvent(timeoutMs);
    }
    LineEventResult WaitKernelPps(PpsEdge edge, int timeoutMs, int64_t& stamp) override
    {
        ++kernelWaits;
        return SimulatedSerialDevice::WaitKernelPps(edge, timeoutMs, stamp);
    }
    std::atomic<int> lineWaits { 0 };
    std::atomic<int> kernelWaits { 0 };
};

void awaitCount(const std::atomic<int>& count, int wanted)
{
    for (int i = 0; i < 5000 && count.load() < wanted; ++i)
        std::this_thread::sleep_for(1ms);
    ASSERT_GE(count.load(), wanted);
}

class PpsPulseSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app.timeReferenceUsable = 1;
        device.Open("/dev/simulated");
        settings.WriteProfileInt(keys::kSettings, keys::kLine, static_cast<int>(kLineEventDcd));
        gps.Publish(SystemTime { 2026, 12, 0, 6, 20, 0, 50, 0 });
    }
    void start(int polarity)
    {
        settings.WriteProfileInt(keys::kSettings, keys::kOnePpsPolarity, polarity);
        result = std::async(std::launch::async, [this] { return detector.WaitForPps(); });
    }
    void decodeSecond(uint16_t s)
    {
        ASSERT_TRUE(gps.WaitUntilWaiting(5s));
        gps.Publish(SystemTime { 2026, 12, 0, 6, 20, 0, s, 0 });
    }
    // Ready well within the bound: no wait hangs.
    bool finish() { return result.wait_for(10s) == std::future_status::ready && result.get(); }

    CountingDevice device;
    AppState app;
    MemorySettingsStore settings;
    test::ScriptedGpsTimeSource gps;
    test::FakeThreadPriority priority;
    CancelSignal cancel;
    int64_t stampClock = 0;
    PpsDetector detector { settings, app, gps, priority, cancel, [this] { return &device; } };
    std::future<bool> result;
};

TEST(PpsPolarity, NamesTheKernelEdge)
{
    EXPECT_EQ(PpsDetector::EdgeForPolarity(0), PpsEdge::Clear);
    EXPECT_EQ(PpsDetector::EdgeForPolarity(1), PpsEdge::Assert);
    EXPECT_EQ(PpsDetector::EdgeForPolarity(2), PpsEdge::Any);
    EXPECT_EQ(PpsDetector::EdgeForPolarity(3), std::nullopt);
}

TEST(PpsCatchUp, SetsOnTheMillisecondAfterTheStampedEdge)
{
    EXPECT_EQ(GpsClockSetting::CatchUpAfter(2300).milliseconds, 3);
    EXPECT_EQ(GpsClockSetting::CatchUpAfter(2300).waitMicroseconds, 700);
    EXPECT_EQ(GpsClockSetting::CatchUpAfter(-5).milliseconds, 0); // the clock was stepped back
    EXPECT_EQ(GpsClockSetting::CatchUpAfter(1000000).milliseconds, 0); // not this edge's stamp
}

TEST_F(PpsPulseSourceTest, KernelStampOfTheFallingEdge)
{
    device.KernelPps().Plug("/dev/pps0", [this] { return ++stampClock * 1000; });
    start(0);
    decodeSecond(51);
    awaitCount(device.kernelWaits, 2); // past the look at the edges stamped before
    device.RaiseLineEdge(kLineEventDcd, true); // stamp 1: an assert, not the edge wanted
    device.RaiseLineEdge(kLineEventDcd, false); // stamp 2
    EXPECT_TRUE(finish());
    EXPECT_EQ(detector.LastEdgeUtcMicroseconds(), 2000);
    EXPECT_EQ(app.KernelPpsSource(), "/dev/pps0");
}

TEST_F(PpsPulseSourceTest, UnpluggedKernelSourceFallsBackToTheLine)
{
    device.KernelPps().Plug("/dev/pps0", [this] { return ++stampClock; });
    start(1);
    decodeSecond(51);
    awaitCount(device.kernelWaits, 2);
    device.KernelPps().Unplug();
    // The line: the first wait takes the changes made while the sentence was awaited, the
    // second ends on the rising edge.
    ASSERT_TRUE(gps.WaitUntilWaiting(5s));
    device.RaiseLineEdge(kLineEventDcd, true);
    device.RaiseLineEdge(kLineEventDcd, false);
    decodeSecond(52);
    awaitCount(device.lineWaits, 2);
    device.RaiseLineEdge(kLineEventCts, true); // not the watched line
    device.RaiseLineEdge(kLineEventDcd, true);
    EXPECT_TRUE(finish());
    EXPECT_EQ(detector.LastEdgeUtcMicroseconds(), std::nullopt);
    EXPECT_EQ(app.KernelPpsSource(), "");
}

} // namespace
} // namespace velarin
