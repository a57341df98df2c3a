#include "engine/ui/TimeReferenceSwitch.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/gps/SerialPort.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/NmeaSentence.h"
#include "support/RecordingNotifier.h"

#include <gtest/gtest.h>

namespace velarin {
namespace {

class TimeReferenceSwitchTest : public ::testing::Test {
protected:
    TimeReferenceSwitchTest()
    {
        port.SetSleepFunction([this](std::chrono::milliseconds pause) { paused += pause; });
    }

    SimulatedSerialDevice device;
    test::RecordingNotifier notifier;
    CSerialPort port { device, notifier, "velarin" };
    MemorySettingsStore settings;
    CNmeaParser parser;
    std::chrono::milliseconds paused { 0 };
};

TEST_F(TimeReferenceSwitchTest, GpsReopensThePortWithTheStoredPortAndSpeed)
{
    ReopenGpsLink(port, settings); // nothing stored: COM1 at 4800
    EXPECT_EQ(device.LastOpenPath(), "/dev/ttyS0");
    EXPECT_EQ(device.LastLineSettings().baud, 4800);

    settings.WriteProfileInt(keys::kSerial, keys::kPort, 3);
    settings.WriteProfileInt(keys::kSerial, keys::kBaud, 38400);
    ReopenGpsLink(port, settings);
    EXPECT_EQ(std::tuple(device.CloseCount(), device.OpenCount(), device.LastOpenPath()),
        std::tuple(1, 2, "/dev/ttyS2"));
    const auto line = device.LastLineSettings();
    EXPECT_EQ(
        std::tie(line.baud, line.parity, line.dataBits, line.stopBits), std::tuple(38400, 0, 8, 0));
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(paused, std::chrono::milliseconds(2000)); // Close's pause, each time
}

TEST_F(TimeReferenceSwitchTest, NetworkClosesThePortAndClearsTheGpsRecord)
{
    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    parser.ProcessBytes(
        test::NmeaSentence("GPGGA,213121.000,4404.1295,N,12118.8685,W,1,07,1.2,1102.5,M,,M,,"));
    ASSERT_EQ(parser.GetGga().satellites, 7);

    CloseGpsLink(port, parser);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(std::tuple(parser.GetGga().satellites, parser.GetGga().count), std::tuple(0, 0u));
}

} // namespace
} // namespace velarin
