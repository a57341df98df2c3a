#include "app/core/ClockSettingCore.h"
#include "app/core/VelarinApp.h"

#include "base/Calendar.h"
#include "engine/settings/MemorySettingsStore.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "platform/sim/SimulatedReceiver.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/FakeConnectivity.h"
#include "support/FakeThreadPriority.h"
#include "support/PtyPair.h"
#include "support/PtyReceiverRig.h"
#include "support/RecordingNotifier.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <functional>

namespace velarin {
namespace {

// Runs the event loop until the condition holds or the (generous) limit passes.
bool spinUntil(const std::function<bool()>& condition, int limitMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The whole GPS path on a pseudo-terminal: bytes decoded by the heartbeat, lock, a setting
// that waits for the next second and sets the (simulated) clock to it plus "GPSTimeDelay".
TEST(ClockSettingCoreTest, PseudoTerminalReceiverSetsTheClockOnTheNextSecond)
{
    test::PtyReceiverRig rig(4800);
    ASSERT_TRUE(rig.opened);
    CVelarinApp& app = rig.app;
    test::PtyPair& pty = rig.pty;
    SimulatedSystemClock& clock = rig.clock;
    ClockSettingCore& core = rig.core;
    app.State().useTimrFrom = 1;

    const SimulatedReceiver receiver({});
    int64_t second = *ToUnixMilliseconds(SystemTime { 2026, 12, 0, 6, 10, 0, 0, 0 });
    ASSERT_TRUE(pty.Write(receiver.Burst(FromUnixMilliseconds(second))));
    ASSERT_TRUE(spinUntil([&] { return app.State().timeReferenceUsable.load() == 1; }));

    core.SetPcClockNow();
    // One second after another until the worker has taken one as its boundary.
    int64_t lastWritten = second;
    for (int i = 0; i < 20 && clock.Requests().empty(); ++i) {
        spinUntil([] { return false; }, 150);
        lastWritten = second += 1000;
        ASSERT_TRUE(pty.Write(receiver.Burst(FromUnixMilliseconds(second))));
        spinUntil([&] { return !clock.Requests().empty(); }, 150);
    }
    ASSERT_EQ(clock.Requests().size(), 1u);
    EXPECT_EQ(clock.Requests()[0].requested, FromUnixMilliseconds(lastWritten + 50));
    EXPECT_TRUE(core.Worker().WaitUntilIdle(std::chrono::seconds(5)));
    EXPECT_GE(core.Parser().GetSentenceCount(), 6u);
}

} // namespace
} // namespace velarin
