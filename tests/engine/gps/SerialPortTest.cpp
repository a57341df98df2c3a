#include "engine/gps/SerialPort.h"
#include "engine/gps/SerialDevicePath.h"
#include "engine/gps/SerialOpenError.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/RecordingNotifier.h"

#include <QTemporaryDir>
#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

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

TEST(SerialDevicePath, OverrideThenStoredDeviceThenPortNumber)
{
    EXPECT_EQ(SerialDevicePath(1, "", ""), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath(4, "", ""), "/dev/ttyS3");
    EXPECT_EQ(SerialDevicePath(4, "/dev/ttyUSB0", ""), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath(4, "/dev/ttyUSB0", "/dev/pts/7"), "/dev/pts/7");
    // COM0 and negative numbers name no device at all.
    EXPECT_EQ(SerialDevicePath(0, "", ""), "");
    EXPECT_EQ(SerialDevicePath(-3, "", ""), "");
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

TEST_F(SerialPortTest, OpensByPortNumberWithTheRequestedLineSettings)
{
    ASSERT_EQ(port.Open(3, 9600, 0, 8, 0), 0);
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(device.LastOpenPath(), "/dev/ttyS2");
    EXPECT_EQ(port.PortNumber(), 3);
    const auto settings = device.LastLineSettings();
    EXPECT_EQ(settings.baud, 9600);
    EXPECT_EQ(settings.parity, 0);
    EXPECT_EQ(settings.dataBits, 8);
    EXPECT_EQ(settings.stopBits, 0);
    EXPECT_TRUE(notifier.Messages().empty());
}

TEST_F(SerialPortTest, StoredDeviceAndRunOverrideChooseThePath)
{
    MemorySettingsStore store;
    store.WriteProfileString(keys::kSerial, keys::kDevice, "/dev/ttyUSB0");
    port.SetSettingsStore(&store);
    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    EXPECT_EQ(device.LastOpenPath(), "/dev/ttyUSB0");
    port.Close();
    port.SetDeviceOverride("/dev/pts/42");
    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    EXPECT_EQ(device.LastOpenPath(), "/dev/pts/42");
    // The override is for this run only: it is never written.
    EXPECT_EQ(store.GetProfileString(keys::kSerial, keys::kDevice, ""), "/dev/ttyUSB0");
    EXPECT_EQ(store.WriteCount(), 1u);
}

TEST_F(SerialPortTest, OpenFailuresTellTheUserOnceAndLeaveTheLinkClosed)
{
    const struct {
        int error;
        std::string start;
    } cases[] = { { ENOENT, "Communication Port Not Found!" }, { EBUSY, "Access Denied!" },
        { EACCES, "Access Denied!" }, { EIO, "Comm Open Error![" } };
    for (const auto& c : cases) {
        test::RecordingNotifier caseNotifier;
        CSerialPort casePort(device, caseNotifier, "velarin");
        device.SetOpenError(c.error);
        EXPECT_EQ(casePort.Open(7, 4800, 0, 8, 0), -1);
        EXPECT_FALSE(casePort.IsOpen());
        EXPECT_EQ(casePort.PortNumber(), 0) << "the number is kept only once the device opened";
        const auto messages = caseNotifier.Messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text.rfind(c.start, 0), 0u) << messages[0].text;
        EXPECT_EQ(messages[0].caption, "velarin");
        EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
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
    EXPECT_EQ(messages[0].text, "GetCommState");
    EXPECT_EQ(messages[0].caption, "Could not get comm state");
    EXPECT_EQ(messages[1].text, "SetCommState");
    EXPECT_EQ(messages[1].caption, "Could not set communication state");
    EXPECT_EQ(messages[1].icon, MessageIcon::Stop);
    EXPECT_EQ(
        notifier.Beeps(), (std::vector<MessageIcon> { MessageIcon::Stop, MessageIcon::Stop }));
}

TEST_F(SerialPortTest, CloseWaitsOneSecondAndTheSamePortOpensAgain)
{
    ASSERT_EQ(port.Open(2, 4800, 0, 8, 0), 0);
    EXPECT_EQ(port.Close(), 0);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(slept, (std::vector<std::chrono::milliseconds> { std::chrono::milliseconds(1000) }));
    EXPECT_EQ(port.Open(2, 4800, 0, 8, 0), 0);
}

TEST_F(SerialPortTest, CaptureFileGetsEveryByteReadEvenWhileThePortIsClosedNothing)
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("capture.nmea").toStdString();
    {
        std::ofstream old(path);
        old << "old content that must go";
    }
    ASSERT_TRUE(port.OpenCaptureFile(path));
    EXPECT_TRUE(port.IsCaptureOpen());
    uint8_t buffer[512];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u); // closed: nothing to capture

    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    const std::string garbage = "$GPGGA,bad*00\r\n\x01\xff\r\n";
    const std::string good = "$GPZDA,120000.00,06,12,2026,00,00*6A\r\n";
    device.Feed(garbage);
    device.Feed(good);
    std::string readBack;
    while (size_t count = port.Read(buffer, 7))
        readBack.append(reinterpret_cast<char*>(buffer), count);
    EXPECT_EQ(readBack, garbage + good);
    EXPECT_GE(device.ClearErrorsCount(), 1);
    port.CloseCaptureFile();
    EXPECT_FALSE(port.IsCaptureOpen());

    std::ifstream in(path, std::ios::binary);
    const std::string captured(
        (std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(captured, garbage + good);
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
