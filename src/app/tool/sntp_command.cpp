// velarin-tool sntp: one SNTP query with the program's own client; the clock is only read.
#include "app/tool/NetQueryOptions.h"
#include "app/tool/ToolCommand.h"
#include "engine/nettime/SntpClient.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <cstdio>

namespace velarin::tool {

namespace {

int runSntp(int argc, char** argv)
{
    const auto options
        = ParseNetQueryOptions(argc, argv, CSntpClient::kSntpPort, CSntpClient::kDefaultTimeoutMs);
    if (!options)
        return 2;
    LinuxNetworkSockets sockets;
    SimulatedSystemClock clock; // follows the real clock and can never set it
    CSntpClient client(sockets, clock, nullptr, options->timeoutMs);
    NtpServerResponse reply;
    if (!client.GetServerTime(options->host, reply, options->port))
        return PrintJsonError(client.LastError());
    std::printf("{\"server\":%s,\"port\":%d,\"leap\":%d,\"stratum\":%d,\"offset\":%.9f,"
                "\"delay\":%.9f}\n",
        JsonString(options->host).c_str(), options->port, reply.leapIndicator, reply.stratum,
        reply.localClockOffset, reply.roundTripDelay);
    return 0;
}

const ToolRegistration registration({ "sntp", "HOST [--port P] [--timeout-ms T]",
    "one SNTP query: the server's offset and round-trip delay (never sets the clock)", runSntp });

} // namespace

} // namespace velarin::tool
