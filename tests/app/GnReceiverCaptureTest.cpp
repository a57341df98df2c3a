// A GN receiver's capture through the whole path: pseudo-terminal, heartbeat, decoder, lock and
// a setting of the simulated clock from its GNRMC time.
#include "support/NmeaSentence.h"
#include "support/PtyReceiverRig.h"

#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace velarin {
namespace {

// The capture cut into the receiver's one-second bursts (each starts with its GNGGA).
std::vector<std::string> bursts(const std::string& bytes)
{
    std::vector<std::string> out;
    for (size_t at = bytes.find("$GNGGA"), next; at != std::string::npos; at = next)
        out.push_back(bytes.substr(at, (next = bytes.find("$GNGGA", at + 1)) - at));
    return out;
}

TEST(GnReceiverCaptureTest, QuectelCaptureGivesTimesALockAndASetting)
{
    const std::string capture
        = test::ReadFileBytes(VELARIN_CAPTURE_DIR + std::string("/quectel-l76k-dual.log"));
    ASSERT_FALSE(capture.empty()) << "quectel-l76k-dual.log not found";
    const std::vector<std::string> seconds = bursts(capture);
    ASSERT_GT(seconds.size(), 20u);

    test::PtyReceiverRig rig(115200); // "AcceptAllTalkers" as it comes: on
    ASSERT_TRUE(rig.opened);
    rig.app.State().useTimrFrom = 1;

    size_t sent = 0;
    for (; sent < seconds.size() && rig.app.State().timeReferenceUsable.load() != 1; ++sent) {
        ASSERT_TRUE(rig.pty.Write(seconds[sent]));
        QTest::qWait(100);
    }
    ASSERT_EQ(rig.app.State().timeReferenceUsable.load(), 1);
    // The capture's GNRMC day and hour, from the receiver and in the setting alike.
    const auto captureHour = [](const SystemTime& t) {
        return std::array<int, 4> { t.year, t.month, t.day, t.hour };
    };
    const auto first = rig.core.Parser().GetReceiverTime(rig.app.State());
    ASSERT_TRUE(first);
    EXPECT_EQ(captureHour(*first), (std::array<int, 4> { 2026, 8, 6, 7 }));
    EXPECT_GT(rig.core.Parser().GetGsv().inView, 11); // more than the GPS satellites alone

    rig.core.SetPcClockNow();
    for (; sent < seconds.size() && rig.clock.Requests().empty(); ++sent) {
        ASSERT_TRUE(rig.pty.Write(seconds[sent]));
        QTest::qWait(150);
    }
    ASSERT_EQ(rig.clock.Requests().size(), 1u);
    const SystemTime set = rig.clock.Requests()[0].requested;
    EXPECT_EQ(captureHour(set), captureHour(*first));
    EXPECT_EQ(set.milliseconds, 50); // "GPSTimeDelay"
    EXPECT_TRUE(rig.core.Worker().WaitUntilIdle(std::chrono::seconds(5)));
}

} // namespace
} // namespace velarin
