#include "engine/frame/SerialLinkWatch.h"
#include "engine/gps/SerialPort.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/LogFileUnderTest.h"
#include "support/PtyPair.h"
#include "support/RecordingNotifier.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace velarin {
namespace {

struct WatchedLink {
    WatchedLink()
    {
        port.SetSleepFunction([](std::chrono::milliseconds) {});
    }

    // Reads what arrives within about a second (bounded, so a lost byte fails rather than hangs).
    std::string ReadFor(size_t wanted)
    {
        std::string received;
        uint8_t buffer[512];
        for (int idle = 0; received.size() < wanted && port.IsOpen() && idle < 20;) {
            const size_t count = port.Read(buffer, sizeof buffer);
            received.append(reinterpret_cast<char*>(buffer), count);
            pollfd entry { device.ReadableHandle(), POLLIN, 0 };
            if (count == 0 && (entry.fd < 0 || ::poll(&entry, 1, 50) == 0))
                ++idle;
        }
        return received;
    }

    QTemporaryDir dir;
    const std::string link = dir.filePath(QStringLiteral("gps-by-id")).toStdString();
    LinuxSerialDevice device;
    test::RecordingNotifier notifier;
    CSerialPort port { device, notifier, "velarin" };
    SimulatedSystemClock clock;
    SystemLog log { clock };
    test::LogFileUnderTest logFile { log };
    SerialLinkWatch watch { port, log };
};

TEST(SerialReconnect, AReceiverUnpluggedAndPluggedBackIsReadAgainWithOneLogLineEach)
{
    WatchedLink t;
    auto first = std::make_unique<test::PtyPair>();
    ASSERT_EQ(::symlink(first->SlavePath().c_str(), t.link.c_str()), 0);
    t.port.SetDeviceOverride(t.link);
    ASSERT_EQ(t.port.Open(1, 4800, 0, 8, 0), 0);
    t.watch.Check();
    ASSERT_TRUE(first->Write("$GPZDA\r\n"));
    EXPECT_EQ(t.ReadFor(8), "$GPZDA\r\n");

    // Unplugged: the device and its by-id link go away.
    first.reset();
    ::unlink(t.link.c_str());
    t.ReadFor(1);
    EXPECT_TRUE(t.port.IsLost());
    for (int second = 0; second < 3; ++second)
        t.watch.Check();
    EXPECT_FALSE(t.port.IsOpen());

    // Plugged back: the link leads to a device with another name.
    test::PtyPair second;
    ASSERT_EQ(::symlink(second.SlavePath().c_str(), t.link.c_str()), 0);
    t.watch.Check();
    ASSERT_TRUE(t.port.IsOpen());
    const termios settings = second.SlaveSettings();
    EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B4800));
    ASSERT_TRUE(second.Write("$GPRMC\r\n"));
    EXPECT_EQ(t.ReadFor(8), "$GPRMC\r\n");
    t.watch.Check();

    EXPECT_EQ(t.logFile.Lines(),
        (std::vector<std::string> { "GPS receiver on " + t.link + " disconnected",
            "GPS receiver on " + t.link + " reconnected" }));
    EXPECT_TRUE(t.notifier.Messages().empty());
}

TEST(SerialReconnect, APortThatNeverOpenedIsNotTriedAgain)
{
    WatchedLink t;
    t.port.SetDeviceOverride(t.link);
    EXPECT_EQ(t.port.Open(1, 4800, 0, 8, 0), -1);
    test::PtyPair late;
    ASSERT_EQ(::symlink(late.SlavePath().c_str(), t.link.c_str()), 0);
    t.watch.Check();
    EXPECT_FALSE(t.port.IsOpen());
    EXPECT_TRUE(t.logFile.Lines().empty());
    EXPECT_EQ(t.notifier.Messages().size(), 1U);
}

} // namespace
} // namespace velarin
