#include "engine/nettime/SntpClient.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/LoopbackDaytimeServer.h"
#include "support/LoopbackSntpServer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using namespace velarin;
using velarin::test::LoopbackDaytimeServer;
using velarin::test::LoopbackSntpServer;

// Refused or unknown addresses and bad replies are failed queries.
TEST(SntpLoopback, MeasuresTheServersOffsetAndEverythingElseFails)
{
    LinuxNetworkSockets sockets;
    SimulatedSystemClock clock;
    CSntpClient client(sockets, clock, nullptr, 1000);
    NtpServerResponse reply;
    int port = 0;
    {
        LoopbackSntpServer server(LoopbackSntpServer::Behaviour::Good, 1.25);
        port = server.Port();
        ASSERT_TRUE(client.GetServerTime("127.0.0.1", reply, port)) << client.LastError();
    }
    // Loose bounds: this checks sign and size, not accuracy (that is measured in bench/).
    EXPECT_NEAR(reply.localClockOffset, 1.25, 0.25);
    EXPECT_TRUE(reply.roundTripDelay >= 0.0 && reply.roundTripDelay < 0.5) << reply.roundTripDelay;
    EXPECT_EQ(std::tuple(reply.stratum, reply.leapIndicator), std::tuple(1, 0));
    // The server is gone: the ICMP refusal ends the query at once.
    EXPECT_FALSE(client.GetServerTime("127.0.0.1", reply, port));
    EXPECT_EQ(client.LastStatus(), NetworkStatus::ReceiveFailed);
    for (auto [host, p] : { std::pair { "", 123 }, std::pair { "127.0.0.1", 70000 } }) {
        EXPECT_FALSE(client.GetServerTime(host, reply, p));
        EXPECT_EQ(client.LastStatus(), NetworkStatus::ResolveFailed);
    }
    using B = LoopbackSntpServer::Behaviour;
    const std::pair<B, std::string> cases[] = {
        { B::KissOfDeath, "kiss-of-death reply (stratum 0)" },
        { B::Unsynchronised, "server not synchronised (leap indicator 3)" },
        { B::WrongMode, "reply not in server mode" },
        { B::WrongOriginate, "reply does not answer our request" },
        { B::ZeroTransmit, "reply without transmit time" },
        { B::Short, "reply shorter than 48 bytes" },
        { B::Silent, "no answer within the time-out" },
    };
    for (const auto& [behaviour, error] : cases) {
        LoopbackSntpServer server(behaviour);
        CSntpClient bad(sockets, clock, nullptr, 300);
        EXPECT_FALSE(bad.GetServerTime("127.0.0.1", reply, server.Port()));
        EXPECT_EQ(std::pair(bad.LastError(), server.Requests()), std::pair(error, 1));
    }
}

// Cancelling ends a wait a silent server would drag out far longer than the test may run, on
// a datagram exchange and on a stream read alike.
TEST(SntpLoopback, CancellationEndsAWaitForASilentServer)
{
    LoopbackSntpServer silent(LoopbackSntpServer::Behaviour::Silent);
    LoopbackDaytimeServer mute(LoopbackDaytimeServer::Behaviour::NeverAnswer);
    LinuxNetworkSockets sockets;
    const DatagramExchange exchange { "127.0.0.1", silent.Port(), 120000, 68,
        [] { return std::vector<uint8_t>(48, 0x1B); }, {} };
    const auto cancelled = [](auto contacts, auto query) {
        std::atomic<bool> cancel { false };
        std::thread stopper([&] {
            while (contacts() == 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            cancel = true;
        });
        const NetworkStatus status = query(&cancel).status;
        stopper.join();
        return status == NetworkStatus::Cancelled;
    };
    EXPECT_TRUE(cancelled([&] { return silent.Requests(); },
        [&](auto cancel) { return sockets.ExchangeDatagram(exchange, cancel); }));
    EXPECT_TRUE(cancelled([&] { return mute.Connections(); },
        [&](auto cancel) {
            return sockets.ReceiveStreamLine("127.0.0.1", mute.Port(), 51, 120000, 120000, cancel);
        }));
}
