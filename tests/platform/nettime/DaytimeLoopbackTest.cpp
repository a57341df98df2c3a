#include "engine/nettime/NetworkTime.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/LoopbackDaytimeServer.h"

#include <gtest/gtest.h>

using namespace velarin;
using velarin::test::LoopbackDaytimeServer;
using Behaviour = LoopbackDaytimeServer::Behaviour;

namespace {

class DaytimeLoopback : public ::testing::Test {
protected:
    DaytimeLoopback()
    {
        settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);
        state.SetCurrentTimeServer("127.0.0.1");
        context.daytimeConnectTimeoutMs = 2000;
        context.daytimeReceiveTimeoutMs = 300;
    }

    MemorySettingsStore settings;
    AppState state;
    SimulatedSystemClock clock;
    LinuxNetworkSockets sockets;
    NetworkTimeContext context { settings, state, clock, sockets };
};

} // namespace

TEST_F(DaytimeLoopback, SetsTheClockFromANistLineAndBadServersLeaveItAlone)
{
    // Garbage clears the failure flag (the server answered); silence leaves it as it was; a
    // refused connection (no server) raises it.
    state.networkFailure = 0;
    EXPECT_EQ(SetClockFromNetwork(context), 0);
    EXPECT_EQ(state.networkFailure, 1);
    const std::string nist = LoopbackDaytimeServer::NistLine();
    const std::tuple<Behaviour, std::string, int, int> cases[]
        = { { Behaviour::SendAndClose, std::string("\x16\x03\x01\x02\x00\x01\x00\x01", 8), 1, 0 },
              { Behaviour::SendAndClose, "", 1, 1 }, { Behaviour::NeverAnswer, "", 0, 0 },
              { Behaviour::SendAndClose, nist, 1, 0 }, { Behaviour::SendInTwoParts, nist, 1, 0 } };
    size_t sets = 0;
    for (const auto& [behaviour, reply, flagBefore, flagAfter] : cases) {
        LoopbackDaytimeServer server(behaviour, reply);
        state.timeServerPort = server.Port();
        state.networkFailure = flagBefore;
        EXPECT_EQ(SetClockFromNetwork(context), reply == nist) << int(behaviour);
        EXPECT_EQ(std::tuple(state.networkFailure.load(), server.Connections()),
            std::tuple(flagAfter, 1));
        ASSERT_EQ(clock.Requests().size(), sets += reply == nist);
        if (reply == nist) {
            SystemTime set = clock.Requests().back().requested;
            set.dayOfWeek = 0;
            EXPECT_EQ(set, (SystemTime { 2004, 1, 0, 5, 12, 34, 56, 0 }));
        }
    }
}
