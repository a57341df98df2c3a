#include "platform/sim/SimulatedSerialDevice.h"

#include <cerrno>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace velarin {
namespace {

TEST(SimulatedSerialDevice, CountsEdgesOfTheWatchedLineAndWaitsEndFromAnotherThread)
{
    SimulatedSerialDevice device;
    EXPECT_FALSE(device.SetEventMask(kLineEventCts)) << "closed";
    ASSERT_EQ(device.Open("/dev/sim0"), 0);
    EXPECT_EQ(device.WaitLineEvent(0), LineEventResult::Failed) << "no mask set";
    ASSERT_TRUE(device.SetEventMask(kLineEventCts));
    device.RaiseLineEdge(kLineEventDsr, true); // not the watched line
    EXPECT_EQ(device.WaitLineEvent(0), LineEventResult::TimedOut);
    device.RaiseLineEdge(kLineEventCts, true);
    EXPECT_EQ(device.WaitLineEvent(0), LineEventResult::Changed);
    EXPECT_EQ(device.WaitLineEvent(0), LineEventResult::TimedOut) << "counted since the last wait";

    // Each wait ends by what another thread does 20 ms into it.
    ASSERT_TRUE(device.SetEventMask(kLineEventDsr));
    const auto waitWhile = [&](const std::function<void()>& action) {
        std::thread other([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            action();
        });
        const LineEventResult result = device.WaitLineEvent(-1);
        other.join();
        return result;
    };
    EXPECT_EQ(
        waitWhile([&] { device.RaiseLineEdge(kLineEventDsr, false); }), LineEventResult::Changed);
    EXPECT_EQ(waitWhile([&] { device.CancelWaits(); }), LineEventResult::Cancelled);
    EXPECT_EQ(waitWhile([&] { device.Close(); }), LineEventResult::Failed);
}

TEST(SimulatedSerialDevice, HandsOutFedBytesInOrderUntilUnpluggedThenClosesOnTheNextRead)
{
    SimulatedSerialDevice device;
    device.Feed("$GPZDA");
    uint8_t buffer[4] {};
    EXPECT_EQ(device.Read(buffer, sizeof buffer), 0) << "closed";
    ASSERT_EQ(device.Open("/dev/sim0"), 0);
    EXPECT_EQ(device.Open("/dev/sim0"), EBUSY);
    EXPECT_EQ(std::string(buffer, buffer + device.Read(buffer, sizeof buffer)), "$GPZ");
    device.Unplug();
    EXPECT_EQ(std::tuple(device.Read(buffer, 1), device.ReadableHandle()), std::tuple(-1, -1));
    EXPECT_EQ(device.Close(), EBADF) << "closed by the read";
}

} // namespace
} // namespace velarin
