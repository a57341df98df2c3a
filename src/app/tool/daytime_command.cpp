// velarin-tool daytime: reads one NIST Daytime line with the program's own parser.
#include "app/tool/NetQueryOptions.h"
#include "app/tool/ToolCommand.h"
#include "engine/nettime/DaytimeReply.h"
#include "platform/linux/LinuxNetworkSockets.h"

#include <cstdio>
#include <string_view>

namespace velarin::tool {

namespace {

constexpr int kDaytimePort = 13;
constexpr int kDaytimeTimeoutMs = 10000;
constexpr size_t kDaytimeReplyMax = 51;

int runDaytime(int argc, char** argv)
{
    const auto options = ParseNetQueryOptions(argc, argv, kDaytimePort, kDaytimeTimeoutMs);
    if (!options)
        return 2;
    LinuxNetworkSockets sockets;
    const NetworkReply reply = sockets.ReceiveStreamLine(options->host, options->port,
        kDaytimeReplyMax, options->timeoutMs, options->timeoutMs, nullptr);
    if (reply.status != NetworkStatus::Ok)
        return PrintJsonError(NetworkStatusText(reply.status));
    const auto fields = ParseDaytimeReply(
        std::string_view(reinterpret_cast<const char*>(reply.bytes.data()), reply.bytes.size()));
    if (!fields)
        return PrintJsonError("incomplete reply");
    if (!IsDaytimeInRange(*fields))
        return PrintJsonError("reply out of range");
    std::printf("{\"year\":%lld,\"month\":%lld,\"day\":%lld,\"hour\":%lld,\"minute\":%lld,"
                "\"second\":%lld,\"advance_ms\":%d}\n",
        static_cast<long long>(fields->year), static_cast<long long>(fields->month),
        static_cast<long long>(fields->day), static_cast<long long>(fields->hour),
        static_cast<long long>(fields->minute), static_cast<long long>(fields->second),
        static_cast<int>(fields->advanceMs));
    return 0;
}

const ToolRegistration registration({ "daytime", "HOST [--port P] [--timeout-ms T]",
    "reads one NIST Daytime line and prints its date, time and advance (never sets the clock)",
    runDaytime });

} // namespace

} // namespace velarin::tool
