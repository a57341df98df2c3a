#include "app/core/ProgramPropertySheetHost.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "support/LoopbackDaytimeServer.h"
#include "support/NmeaSentence.h"
#include "support/PtyReceiverRig.h"

#include <QTest>
#include <gtest/gtest.h>

#include <string>

namespace velarin {
namespace {

// The core as the program wires it, on a simulated clock. A GN receiver's capture (pseudo-
// terminal, heartbeat, decoder) locks and "Set PC Clock Now" sets it to its GNRMC time. Then, on
// the network reference, the first tick loads the server and sets the clock through the program's
// Daytime client with the beep asked for, and the properties window's host drives the same core.
TEST(ClockSettingCoreTest, GnCaptureAndNetworkReferenceSetTheClockAndTheHostDrivesTheCore)
{
    const std::string capture
        = test::ReadFileBytes(VELARIN_CAPTURE_DIR + std::string("/quectel-l76k-dual.log"));
    test::PtyReceiverRig rig(115200); // "AcceptAllTalkers" as it comes: on
    ASSERT_TRUE(rig.opened && capture.size() > 100000) << "quectel-l76k-dual.log not found";
    AppState& state = rig.app.State();
    state.useTimrFrom = 1;
    bool asked = false;
    // About one of the receiver's seconds at a time.
    for (size_t at = 0; at < capture.size() && rig.clock.Requests().empty(); at += 1500) {
        ASSERT_TRUE(rig.pty.Write(capture.substr(at, 1500)));
        QTest::qWait(150);
        if (!asked && (asked = state.timeReferenceUsable.load() == 1))
            rig.core.SetPcClockNow();
    }
    ASSERT_TRUE(rig.core.Worker().WaitUntilIdle(std::chrono::seconds(5)));
    ASSERT_EQ(rig.clock.Requests().size(), 1u);
    const SystemTime gps = rig.clock.Requests()[0].requested;
    // The capture's day and hour, at "GPSTimeDelay"; more than the GPS satellites alone in view.
    EXPECT_EQ(std::tuple(gps.year, gps.month, gps.day, gps.hour, gps.milliseconds),
        std::tuple(2026, 8, 6, 7, 50));
    EXPECT_GT(rig.core.Parser().GetGsv().inView, 11);

    test::LoopbackDaytimeServer server(test::LoopbackDaytimeServer::Behaviour::SendAndClose,
        test::LoopbackDaytimeServer::NistLine());
    LinuxNetworkSockets sockets;
    rig.core.UseNetworkClients(sockets);
    rig.settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);
    std::tie(state.useNetworkTime, state.enableSetBeep, state.timeServerPort)
        = std::tuple(1, 1, server.Port());
    rig.app.loadCurrentTimeServer = [] { return std::string("127.0.0.1"); };
    rig.core.Start(); // again, now on the network reference
    ASSERT_TRUE(rig.core.Worker().WaitUntilIdle(std::chrono::seconds(5)));
    ASSERT_EQ(rig.clock.Requests().size(), 2u);
    EXPECT_EQ(std::tuple(rig.clock.Requests()[1].requested.year, state.CurrentTimeServer(),
                  rig.notifier.Beeps().size(), server.Connections()),
        std::tuple(2004, "127.0.0.1", 1u, 1));

    int help = 0;
    ProgramPropertySheetHost host(rig.app, rig.core, rig.connectivity, [&](int c) { help = c; });
    state.SetCurrentTimeServer("");
    host.LoadCurrentTimeServer();
    host.StartSetTimeThread(); // a third setting, from the reloaded server
    EXPECT_TRUE(rig.core.Worker().WaitUntilIdle(std::chrono::seconds(5)) && !host.IsSetTimeBusy());
    host.StopSetTimeThread();
    EXPECT_EQ(std::tuple(server.Connections(), rig.clock.Requests().size()), std::tuple(2, 3u));
    host.ShowHelp(42);
    rig.connectivity.connected = false;
    EXPECT_EQ(std::tuple(help, host.IsInternetConnected()), std::tuple(42, false));
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
