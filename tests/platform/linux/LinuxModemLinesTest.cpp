#include "platform/linux/LinuxModemLines.h"

#include "support/PtyPair.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace velarin {
namespace {

// A pseudo-terminal has no modem lines and no interrupt counters: every operation must fail at
// once rather than wait for an edge that cannot come.
TEST(LinuxModemLinesTest, DeviceWithoutModemLinesFailsAtOnce)
{
    test::PtyPair pty;
    ASSERT_TRUE(pty.IsValid());
    const int fd = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    LinuxModemLines lines;
    lines.Attach(fd);
    EXPECT_FALSE(lines.SetEventMask(kLineEventCts));
    EXPECT_FALSE(lines.SetEventMask(4)); // neither CTS nor DSR
    EXPECT_EQ(lines.WaitLineEvent(-1), LineEventResult::Failed);
    lines.CancelWaits(); // nobody waits: returns at once
    lines.Detach();
    uint32_t status = 0;
    EXPECT_FALSE(lines.GetModemStatus(status));
    EXPECT_FALSE(lines.SetEventMask(kLineEventCts));
    ::close(fd);
}

} // namespace
} // namespace velarin
