#include "platform/linux/LinuxSerialDevice.h"
#include "engine/frame/SerialLinkWatch.h"
#include "engine/gps/SerialPort.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/LogFileUnderTest.h"
#include "support/PtyPair.h"
#include "support/RecordingNotifier.h"

#include <QTemporaryDir>
#include <cerrno>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace velarin {
namespace {

class LinuxSerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.IsValid());
        port.SetSleepFunction([](std::chrono::milliseconds) {});
        port.SetDeviceOverride(pty.SlavePath());
    }

    // What one read returns once the line is readable (bounded, so a lost line fails the test
    // instead of hanging it); the receivers here write a whole sentence at once.
    std::string readLine()
    {
        pollfd entry { device.ReadableHandle(), POLLIN, 0 };
        ::poll(&entry, 1, 2000);
        char buffer[64];
        return { buffer, port.Read(reinterpret_cast<uint8_t*>(buffer), sizeof buffer) };
    }

    test::PtyPair pty;
    LinuxSerialDevice device;
    test::RecordingNotifier notifier;
    CSerialPort port { device, notifier, "velarin" };
};

TEST_F(LinuxSerialLinkTest, RawLineAtEveryStandardRateAndOtherRatesFailAtSetCommState)
{
    for (int baud : { 300, 600, 1200, 1800, 2400, 4800, 9600, 19200, 38400, 57600, 115200 }) {
        ASSERT_EQ(port.Open(1, baud, 0, 8, 0), 0) << baud;
        const termios settings = pty.SlaveSettings();
        EXPECT_EQ(std::tuple(cfgetispeed(&settings), cfgetospeed(&settings)),
            std::tuple(
                LinuxSerialDevice::SpeedForBaud(baud), LinuxSerialDevice::SpeedForBaud(baud)));
        EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL | CREAD),
            tcflag_t(CS8 | CLOCAL | CREAD));
        EXPECT_EQ(
            std::tuple(settings.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP),
                settings.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), settings.c_cc[VMIN],
                settings.c_cc[VTIME]),
            std::tuple(0u, 0u, 0, 0));
        port.Close();
    }
    EXPECT_TRUE(notifier.Messages().empty());
    for (int baud : { 0, 4801, 230400 }) {
        EXPECT_EQ(port.Open(1, baud, 0, 8, 0), -1) << baud;
        port.Close();
    }
    EXPECT_EQ(notifier.Texts(), std::vector<std::string>(3, "SetCommState"));
    EXPECT_EQ(notifier.Beeps().size(), 3u);
}

// The receiver is reached through a link (as under /dev/serial/by-id); unplugged, the first read
// sees the hang-up and leaves nothing to wake the event loop; plugged back under another device
// name, the watch reopens it as before, with one log line each way.
TEST_F(LinuxSerialLinkTest, AnUnpluggedReceiverClosesAtOnceAndIsReopenedWhenPluggedBack)
{
    QTemporaryDir dir;
    const std::string link = dir.filePath(QStringLiteral("gps-by-id")).toStdString();
    port.SetDeviceOverride(link);
    SimulatedSystemClock clock;
    SystemLog log { clock };
    test::LogFileUnderTest logFile { log };
    SerialLinkWatch watch { port, log };

    // A port that never opened keeps its one message and is not tried again.
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), -1);
    auto first = std::make_unique<test::PtyPair>();
    ASSERT_EQ(::symlink(first->SlavePath().c_str(), link.c_str()), 0);
    watch.Check();
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    uint8_t buffer[64];
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u) << "an idle line returns at once, empty";
    ASSERT_TRUE(first->Write("$GPZDA\r\n"));
    EXPECT_EQ(readLine(), "$GPZDA\r\n");

    first.reset();
    ::unlink(link.c_str());
    EXPECT_EQ(port.Read(buffer, sizeof buffer), 0u);
    EXPECT_FALSE(port.IsOpen()) << "the hang-up must be seen by the first read";
    EXPECT_EQ(device.ReadableHandle(), -1) << "nothing left to wake the event loop";
    watch.Check();
    EXPECT_FALSE(port.IsOpen());

    test::PtyPair again;
    ASSERT_EQ(::symlink(again.SlavePath().c_str(), link.c_str()), 0);
    watch.Check();
    ASSERT_TRUE(port.IsOpen());
    ASSERT_TRUE(again.Write("$GPRMC\r\n"));
    EXPECT_EQ(readLine(), "$GPRMC\r\n");
    watch.Check();
    EXPECT_EQ(logFile.Lines(),
        (std::vector<std::string> { "GPS receiver on " + link + " disconnected",
            "GPS receiver on " + link + " reconnected" }));
    EXPECT_EQ(notifier.Messages().size(), 1U);
}

TEST_F(LinuxSerialLinkTest, OpenErrorsAreErrnoValuesAndAFileThatIsNoTerminalFailsAtGetCommState)
{
    LinuxSerialDevice closed;
    EXPECT_EQ(std::tuple(closed.Open("/nonexistent-dir/ttyUSB9"), closed.Open("")),
        std::tuple(ENOENT, ENOENT));
    uint8_t buffer[4];
    EXPECT_EQ(std::tuple(closed.Read(buffer, sizeof buffer), closed.SetEventMask(kLineEventCts),
                  closed.WaitLineEvent(0), closed.ArmKernelPps(), closed.Close()),
        std::tuple(0, false, LineEventResult::Failed, "", EBADF));

    QTemporaryDir dir;
    const std::string path = dir.filePath("plain-file").toStdString();
    std::ofstream(path) << "not a tty";
    port.SetDeviceOverride(path);
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), -1);
    EXPECT_EQ(notifier.Texts(), std::vector<std::string> { "GetCommState" });
}

// A pseudo-terminal has no modem lines, no interrupt counters and no PPS source: every operation
// must fail at once rather than wait for an edge that cannot come.
TEST_F(LinuxSerialLinkTest, ModemLinesOfADeviceWithoutThemFailAtOnce)
{
    LinuxSerialDevice lines;
    ASSERT_EQ(lines.Open(pty.SlavePath()), 0);
    EXPECT_EQ(lines.Open(pty.SlavePath()), EBUSY);
    EXPECT_FALSE(lines.SetEventMask(kLineEventCts) || lines.SetEventMask(4)); // 4: neither line
    EXPECT_EQ(lines.WaitLineEvent(-1), LineEventResult::Failed);
    lines.CancelWaits(); // nobody waits: returns at once
    uint32_t status = 0;
    int64_t stamp = 0;
    EXPECT_EQ(std::tuple(lines.GetModemStatus(status), lines.ArmKernelPps(),
                  lines.WaitKernelPps(PpsEdge::Any, -1, stamp)),
        std::tuple(false, "", LineEventResult::Failed));
    // Left open: the destructor closes it.
}

} // namespace
} // namespace velarin
