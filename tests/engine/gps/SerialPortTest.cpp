#include "engine/gps/SerialPort.h"
#include "base/SerialDeviceNames.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/gps/SerialDevicePath.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/ui/TimeReferenceSwitch.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/NmeaSentence.h"
#include "support/RecordingNotifier.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace velarin {
namespace {

const std::string kInUse = "\n\n The communications port may be in use at this time. Please "
                           "choose another port or close the application using the desired port.";

TEST(SerialDevicePath, OverrideThenStoredDeviceThenPortNumberAndOnlySerialNames)
{
    EXPECT_EQ(SerialDevicePath(1, "", ""), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath(4, "/dev/ttyUSB0", ""), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath(4, "/dev/ttyUSB0", "/dev/pts/7"), "/dev/pts/7");
    // COM0 and negative numbers name no device at all.
    EXPECT_EQ(SerialDevicePath(0, "", ""), "");

    for (const char* name : { "ttyS0", "ttyS31", "ttyUSB0", "ttyUSB12", "ttyACM0" })
        EXPECT_TRUE(IsSerialDeviceName(name)) << name;
    for (const char* name : { "tty", "tty0", "ttyS", "ttyUSB", "ttySx", "ttyS0a", "ttyAMA0",
             "console", "ptmx", "pts", "/dev/ttyS0", "ttyACM-1" })
        EXPECT_FALSE(IsSerialDeviceName(name)) << name;
}

class SerialPortTest : public ::testing::Test {
protected:
    SerialPortTest()
    {
        port.SetSleepFunction([this](std::chrono::milliseconds pause) { slept.push_back(pause); });
    }

    SimulatedSerialDevice device;
    test::RecordingNotifier notifier;
    CSerialPort port { device, notifier, "velarin" };
    std::vector<std::chrono::milliseconds> slept;
};

TEST_F(SerialPortTest, PathCloseWaitsOneSecondAndReopens)
{
    MemorySettingsStore store;
    port.SetSettingsStore(&store);
    ASSERT_EQ(port.Open(3, 9600, 0, 8, 0), 0);
    EXPECT_EQ(device.LastOpenPath(), "/dev/ttyS2");
    EXPECT_EQ(port.Close(), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(slept, (std::vector<std::chrono::milliseconds> { std::chrono::milliseconds(1000) }));

    store.WriteProfileString(keys::kSerial, keys::kDevice, "/dev/ttyUSB0");
    ASSERT_EQ(port.Open(3, 4800, 0, 8, 0), 0);
    EXPECT_EQ(device.LastOpenPath(), "/dev/ttyUSB0");
    port.Close();
    port.SetDeviceOverride("/dev/pts/42");
    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    EXPECT_EQ(device.LastOpenPath(), "/dev/pts/42");
    // The override is for this run only: it is never written.
    EXPECT_EQ(store.GetProfileString(keys::kSerial, keys::kDevice, ""), "/dev/ttyUSB0");
    EXPECT_EQ(store.WriteCount(), 1u);
    EXPECT_TRUE(notifier.Messages().empty());
}

TEST_F(SerialPortTest, OpenFailuresTellTheUserOnceAndLeaveTheLinkClosed)
{
    const std::string notFound = "Communication Port Not Found!\n\nThe communications port does "
                                 "not exist. Check your system configuration on the status of "
                                 "this Communication port";
    const std::string denied = "Access Denied!" + kInUse;
    // errno onto the three messages; no blank between the exclamation mark and the bracket.
    const std::pair<int, std::string> cases[]
        = { { ENOENT, notFound }, { ENODEV, notFound }, { ENXIO, notFound }, { EACCES, denied },
              { EPERM, denied }, { EBUSY, denied }, { 31, "Comm Open Error![31]" + kInUse } };
    for (size_t shown = 1; const auto& [error, text] : cases) {
        device.SetOpenError(error);
        EXPECT_EQ(port.Open(7, 4800, 0, 8, 0), -1);
        EXPECT_FALSE(port.IsOpen());
        EXPECT_EQ(port.PortNumber(), 0) << "the number is kept only once the device opened";
        const auto messages = notifier.Messages();
        ASSERT_EQ(messages.size(), shown++);
        EXPECT_EQ(std::tie(messages.back().text, messages.back().caption, messages.back().icon),
            std::tuple(text, "velarin", MessageIcon::Stop));
        EXPECT_TRUE(notifier.Beeps().empty());
        uint8_t buffer[16];
        EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);
    }
}

// The texts and beeps of these failures are driven through a pseudo-terminal in the link tests.
TEST_F(SerialPortTest, LineSettingFailuresKeepTheDeviceOpenAndASecondOpenLetsItGo)
{
    device.SetGetLineSettingsFails(true);
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), -1);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.PortNumber(), 1);
    device.SetGetLineSettingsFails(false);
    device.SetSetLineSettingsFails(true);
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), -1);
    EXPECT_EQ(device.CloseCount(), 1);
    EXPECT_TRUE(port.IsOpen());
    const auto messages = notifier.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(std::tie(messages[0].caption, messages[1].caption, messages[1].icon),
        std::tuple(
            "Could not get comm state", "Could not set communication state", MessageIcon::Stop));
}

TEST_F(SerialPortTest, ReferenceSwitchReopensTheStoredPortOrClosesAndClearsTheRecord)
{
    MemorySettingsStore settings;
    ReopenGpsLink(port, settings); // nothing stored: COM1 at 4800
    EXPECT_EQ(std::tuple(device.LastOpenPath(), device.LastLineSettings().baud),
        std::tuple("/dev/ttyS0", 4800));
    settings.WriteProfileInt(keys::kSerial, keys::kPort, 3);
    settings.WriteProfileInt(keys::kSerial, keys::kBaud, 38400);
    ReopenGpsLink(port, settings);
    EXPECT_EQ(std::tuple(device.CloseCount(), device.OpenCount(), device.LastOpenPath(),
                  device.LastLineSettings().baud),
        std::tuple(1, 2, "/dev/ttyS2", 38400));
    EXPECT_EQ(slept.size(), 2u); // Close's pause, each time

    CNmeaParser parser;
    parser.ProcessBytes(
        test::NmeaSentence("GPGGA,213121.000,4404.1295,N,12118.8685,W,1,07,1.2,1102.5,M,,M,,"));
    CloseGpsLink(port, parser);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(std::tuple(parser.GetGga().satellites, parser.GetGga().count), std::tuple(0, 0u));
}

} // namespace
} // namespace velarin
