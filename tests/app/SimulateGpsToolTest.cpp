#include "base/Calendar.h"
#include "engine/AppState.h"
#include "engine/gps/CNmeaParser.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace velarin {
namespace {

// The receiver on a pseudo-terminal: the path comes first, then valid sentences whose time is
// true time plus the offset asked for.
TEST(SimulateGpsToolTest, PtyReceiverSendsCheckedSentencesWithTheOffsetTime)
{
    const std::string command = std::string(VELARIN_TOOL_PATH)
        + " simulate-gps --pty --talker GP --duration 3 --offset-ms 7000 --latency-ms 20 "
          "--sentences GGA,ZDA";
    FILE* tool = popen(command.c_str(), "r");
    ASSERT_NE(tool, nullptr);
    char path[256] = {};
    ASSERT_NE(std::fgets(path, sizeof path, tool), nullptr);
    const std::string device(path, std::strcspn(path, "\r\n"));
    ASSERT_EQ(device.rfind("/dev/pts/", 0), 0u) << device;

    const int fd = open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    CNmeaParser parser;
    AppState app;
    app.useTimrFrom = 2;
    int64_t receivedAt = 0;
    for (int turns = 0; turns < 100 && parser.GetZda().count < 2; ++turns) {
        pollfd readable { fd, POLLIN, 0 };
        uint8_t buffer[512];
        const ssize_t n = poll(&readable, 1, 100) > 0 ? read(fd, buffer, sizeof buffer) : 0;
        if (n > 0) {
            parser.ProcessBytes(buffer, static_cast<size_t>(n));
            receivedAt = QDateTime::currentMSecsSinceEpoch();
        }
    }
    close(fd);
    pclose(tool);

    ASSERT_GE(parser.GetZda().count, 2u);
    EXPECT_EQ(parser.GetGga().satellites, 8);
    const auto time = parser.GetReceiverTime(app);
    ASSERT_TRUE(time);
    // The burst left 20 ms after a true second s and carries s + 7 s.
    const int64_t carried = *ToUnixMilliseconds(*time);
    EXPECT_NEAR(static_cast<double>(carried - (receivedAt - receivedAt % 1000)), 7000.0, 1000.0);
}

} // namespace
} // namespace velarin
