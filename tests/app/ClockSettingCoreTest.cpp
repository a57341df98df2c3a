// The clock-setting core as the program wires it: a GN receiver's capture through pseudo-terminal,
// heartbeat, decoder, lock and setting; the network reference; the properties window's host.
#include "app/core/ProgramPropertySheetHost.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "support/LoopbackDaytimeServer.h"
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

// On the network reference the first tick loads the server and sets the clock through the
// program's Daytime client, with the beep asked for; the properties window's host drives the
// same core and link.
TEST(ClockSettingCoreTest, NetworkReferenceSetsAtOnceAndThePropertiesHostDrivesTheCore)
{
    test::LoopbackDaytimeServer server(test::LoopbackDaytimeServer::Behaviour::SendAndClose,
        test::LoopbackDaytimeServer::NistLine());
    test::PtyReceiverRig rig(4800);
    LinuxNetworkSockets sockets;
    rig.core.UseNetworkClients(sockets);
    AppState& state = rig.app.State();
    rig.settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);
    std::tie(state.useNetworkTime, state.enableSetBeep, state.timeServerPort)
        = std::tuple(1, 1, server.Port());
    rig.app.loadCurrentTimeServer = [] { return std::string("127.0.0.1"); };
    rig.core.Start(); // again, now on the network reference
    for (int turn = 0; turn < 100 && rig.clock.Requests().empty(); ++turn)
        QTest::qWait(50);
    ASSERT_TRUE(rig.core.Worker().WaitUntilIdle(std::chrono::seconds(5)));
    ASSERT_EQ(rig.clock.Requests().size(), 1u);
    EXPECT_EQ(rig.clock.Requests()[0].requested.year, 2004);
    EXPECT_EQ(
        std::tuple(state.CurrentTimeServer(), rig.notifier.Beeps().size(), server.Connections()),
        std::tuple("127.0.0.1", 1u, 1));

    int helpContext = 0;
    ProgramPropertySheetHost host(
        rig.app, rig.core, rig.connectivity, [&](int context) { helpContext = context; });
    state.SetCurrentTimeServer("");
    host.LoadCurrentTimeServer();
    host.StartSetTimeThread(); // a second setting from the reloaded server
    EXPECT_TRUE(rig.core.Worker().WaitUntilIdle(std::chrono::seconds(5)) && !host.IsSetTimeBusy());
    host.StopSetTimeThread();
    EXPECT_EQ(std::tuple(server.Connections(), rig.clock.Requests().size()), std::tuple(2, 2u));
    host.ShowHelp(42);
    rig.connectivity.connected = false;
    EXPECT_EQ(std::tuple(helpContext, host.IsInternetConnected()), std::tuple(42, false));
    EXPECT_EQ(
        std::tuple(host.SerialPort(), host.Notifier(), host.GetSystemLog(), host.IrigGenerator()),
        std::tuple(&rig.app.SerialPort(), &rig.app.Notifier(), &rig.core.Log(), &rig.core.Irig()));
    host.UseNetworkReference();
    EXPECT_FALSE(host.SerialPort()->IsOpen());
    host.UseGpsReference();
    EXPECT_TRUE(host.SerialPort()->IsOpen());
}

} // namespace
} // namespace velarin
