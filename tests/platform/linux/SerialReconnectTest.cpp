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

TEST(SerialReconnect, AReceiverUnpluggedAndPluggedBackIsReadAgainWithOneLogLineEach)
{
    QTemporaryDir dir;
    const std::string link = dir.filePath(QStringLiteral("gps-by-id")).toStdString();
    LinuxSerialDevice device;
    test::RecordingNotifier notifier;
    CSerialPort port { device, notifier, "velarin" };
    port.SetSleepFunction([](std::chrono::milliseconds) {});
    port.SetDeviceOverride(link);
    SimulatedSystemClock clock;
    SystemLog log { clock };
    test::LogFileUnderTest logFile { log };
    SerialLinkWatch watch { port, log };
    // Reads what arrives within about a second (bounded, so a lost byte fails, not hangs).
    const auto readFor = [&](size_t wanted) {
        std::string received;
        uint8_t buffer[64];
        for (int idle = 0; received.size() < wanted && port.IsOpen() && idle < 20;) {
            const size_t count = port.Read(buffer, sizeof buffer);
            received.append(reinterpret_cast<char*>(buffer), count);
            pollfd entry { device.ReadableHandle(), POLLIN, 0 };
            idle += count == 0 && (entry.fd < 0 || ::poll(&entry, 1, 50) == 0) ? 1 : 0;
        }
        return received;
    };

    // A port that never opened keeps its one message and is not tried again.
    EXPECT_EQ(port.Open(1, 4800, 0, 8, 0), -1);
    auto first = std::make_unique<test::PtyPair>();
    ASSERT_EQ(::symlink(first->SlavePath().c_str(), link.c_str()), 0);
    watch.Check();
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(port.Open(1, 4800, 0, 8, 0), 0);
    ASSERT_TRUE(first->Write("$GPZDA\r\n"));
    EXPECT_EQ(readFor(8), "$GPZDA\r\n");

    // Unplugged: the device and its link go; checks while it is away only log once.
    first.reset();
    ::unlink(link.c_str());
    readFor(1);
    for (int second = 0; second < 3; ++second)
        watch.Check();
    EXPECT_FALSE(port.IsOpen());

    // Plugged back: the link leads to a device of another name, set up as before.
    test::PtyPair again;
    ASSERT_EQ(::symlink(again.SlavePath().c_str(), link.c_str()), 0);
    watch.Check();
    ASSERT_TRUE(port.IsOpen());
    const termios settings = again.SlaveSettings();
    EXPECT_EQ(cfgetispeed(&settings), static_cast<speed_t>(B4800));
    ASSERT_TRUE(again.Write("$GPRMC\r\n"));
    EXPECT_EQ(readFor(8), "$GPRMC\r\n");
    watch.Check();
    EXPECT_EQ(logFile.Lines(),
        (std::vector<std::string> { "GPS receiver on " + link + " disconnected",
            "GPS receiver on " + link + " reconnected" }));
    EXPECT_EQ(notifier.Messages().size(), 1U);
}

} // namespace velarin
