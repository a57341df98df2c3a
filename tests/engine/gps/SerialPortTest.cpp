#include "engine/gps/SerialPort.h"
#include "base/SerialDeviceNames.h"
#include "engine/gps/SerialDevicePath.h"
#include "engine/gps/SerialOpenError.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/NmeaSentence.h"
#include "support/RecordingNotifier.h"

#include <QTemporaryDir>
#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>

namespace velarin {
namespace {

const std::string kInUse = "\n\n The communications port may be in use at this time. Please "
                           "choose another port or close the application using the desired port.";

TEST(SerialOpenErrorText, MapsErrnoOntoTheThreeMessages)
{
    const std::string notFound = "Communication Port Not Found!\n\nThe communications port does "
                                 "not exist. Check your system configuration on the status of "
                                 "this Communication port";
    for (int code : { ENOENT, ENODEV, ENXIO })
        EXPECT_EQ(SerialOpenErrorText(code), notFound) << code;
    for (int code : { EACCES, EPERM, EBUSY })
        EXPECT_EQ(SerialOpenErrorText(code), "Access Denied!" + kInUse) << code;
    // No blank between the exclamation mark and the bracket.
    EXPECT_EQ(SerialOpenErrorText(31), "Comm Open Error![31]" + kInUse);
    EXPECT_EQ(SerialOpenErrorText(EIO), "Comm Open Error![" + std::to_string(EIO) + "]" + kInUse);
}

TEST(SerialDevicePath, OverrideThenStoredDeviceThenPortNumberAndOnlySerialNames)
{
    EXPECT_EQ(SerialDevicePath(1, "", ""), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath(4, "", ""), "/dev/ttyS3");
    EXPECT_EQ(SerialDevicePath(4, "/dev/ttyUSB0", ""), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath(4, "/dev/ttyUSB0", "/dev/pts/7"), "/dev/pts/7");
    // COM0 and negative numbers name no device at all.
    EXPECT_EQ(SerialDevicePath(0, "", ""), "");
    EXPECT_EQ(SerialDevicePath(-3, "", ""), "");

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

TEST_F(SerialPortTest, PathAndLineSettingsCloseWaitsOneSecondAndReopens)
{
    MemorySettingsStore store;
    port.SetSettingsStore(&store);
    ASSERT_EQ(port.Open(3, 9600, 0, 8, 0), 0);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(device.LastOpenPath(), "/dev/ttyS2");
    EXPECT_EQ(port.PortNumber(), 3);
    const auto line = device.LastLineSettings();
    EXPECT_EQ(
        std::tie(line.baud, line.parity, line.dataBits, line.stopBits), std::tuple(9600, 0, 8, 0));
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
    const std::pair<int, std::string> cases[] = { { ENOENT, "Communication Port Not Found!" },
        { EBUSY, "Access Denied!" }, { EACCES, "Access Denied!" }, { EIO, "Comm Open Error![" } };
    for (const auto& [error, start] : cases) {
        test::RecordingNotifier caseNotifier;
        CSerialPort casePort(device, caseNotifier, "velarin");
        device.SetOpenError(error);
        EXPECT_EQ(casePort.Open(7, 4800, 0, 8, 0), -1);
        EXPECT_FALSE(casePort.IsOpen());
        EXPECT_EQ(casePort.PortNumber(), 0) << "the number is kept only once the device opened";
        const auto messages = caseNotifier.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text.rfind(start, 0), 0u) << messages[0].text;
        EXPECT_EQ(std::tie(messages[0].caption, messages[0].icon),
            std::tuple("velarin", MessageIcon::Stop));
        EXPECT_TRUE(caseNotifier.Beeps().empty());
        uint8_t buffer[16];
        EXPECT_EQ(casePort.Read(buffer, sizeof buffer), 0u);
    }
}

TEST_F(SerialPortTest, LineSettingFailuresBeepAndBoxButKeepTheDeviceOpen)
{
    device.SetGetLineSettingsFails(true);
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), -1);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.PortNumber(), 1);
    device.SetGetLineSettingsFails(false);
    device.SetSetLineSettingsFails(true);
    // A second open lets go of the half-configured device instead of leaking it.
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), -1);
    EXPECT_EQ(device.CloseCount(), 1);
    EXPECT_TRUE(port.IsOpen());

    const auto messages = notifier.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(std::tie(messages[0].text, messages[0].caption),
        std::tuple("GetCommState", "Could not get comm state"));
    EXPECT_EQ(std::tie(messages[1].text, messages[1].caption, messages[1].icon),
        std::tuple("SetCommState", "Could not set communication state", MessageIcon::Stop));
    EXPECT_EQ(notifier.Beeps(), std::vector<MessageIcon>(2, MessageIcon::Stop));
}

TEST_F(SerialPortTest, CaptureFileGetsEveryByteReadEvenWhileThePortIsClosedNothing)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("capture.nmea").toStdString();
    std::ofstream(path) << "old content that must go";
    ASSERT_TRUE(port.OpenCaptureFile(path));
    EXPECT_TRUE(port.IsCaptureOpen());
    uint8_t buffer[512];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u); // closed: nothing to capture

    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    const std::string sent
        = "$GPGGA,bad*00\r\n\x01\xff\r\n$GPZDA,120000.00,06,12,2026,00,00*6A\r\n";
    device.Feed(sent);
    std::string readBack;
    while (size_t count = port.Read(buffer, 7))
        readBack.append(reinterpret_cast<char*>(buffer), count);
    EXPECT_EQ(readBack, sent);
    EXPECT_GE(device.ClearErrorsCount(), 1);
    port.CloseCaptureFile();
    EXPECT_FALSE(port.IsCaptureOpen());
    EXPECT_EQ(test::ReadFileBytes(path), sent);
    EXPECT_FALSE(port.OpenCaptureFile(dir.filePath("missing/dir/capture").toStdString()));
    EXPECT_FALSE(port.IsCaptureOpen());
}

TEST_F(SerialPortTest, UnpluggedDeviceClosesTheLinkAndALaterOpenRecovers)
{
    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    device.Feed("$GP");
    uint8_t buffer[64];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 3u);
    device.Unplug();
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);
    EXPECT_TRUE(notifier.Messages().empty()) << "an unplug is not a message box";
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    device.Feed("A");
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 1u);
}

} // namespace
} // namespace velarin
