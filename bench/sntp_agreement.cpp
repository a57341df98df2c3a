// Queries an SNTP server COUNT times with the program's own client and prints, as one JSON line,
// the offset of the least-delayed answer (the one an NTP client trusts most), the median offset,
// the round-trip delay figures and the wall time of a whole query. Reads the clock, never sets it.
//   sntp_agreement HOST PORT [COUNT]
#include "engine/nettime/SntpClient.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s HOST PORT [COUNT]\n", argv[0]);
        return 2;
    }
    const std::string host = argv[1];
    const int port = std::atoi(argv[2]);
    const int count = argc > 3 ? std::max(1, std::atoi(argv[3])) : 20;

    velarin::LinuxNetworkSockets sockets;
    velarin::SimulatedSystemClock clock; // follows the real clock; setting it changes nothing real
    std::vector<double> offsets, delays, queryTimes;
    double bestDelay = 1e9;
    double bestOffset = 0;
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        velarin::CSntpClient client(sockets, clock, nullptr);
        velarin::NtpServerResponse reply;
        const auto start = std::chrono::steady_clock::now();
        const bool ok = client.GetServerTime(host, reply, port);
        const double took
            = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!ok) {
            ++failures;
        } else {
            offsets.push_back(reply.localClockOffset);
            delays.push_back(reply.roundTripDelay);
            queryTimes.push_back(took);
            if (reply.roundTripDelay < bestDelay) {
                bestDelay = reply.roundTripDelay;
                bestOffset = reply.localClockOffset;
            }
        }
        // chronyd limits the rate of a client; a quarter second between queries stays clear.
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    if (offsets.empty()) {
        std::printf("{\"error\":\"no answer\",\"failures\":%d}\n", failures);
        return 1;
    }
    std::printf("{\"samples\":%zu,\"failures\":%d,\"best_offset\":%.6f,\"best_delay\":%.6f,"
                "\"median_offset\":%.6f,\"median_delay\":%.6f,\"median_query_s\":%.6f,"
                "\"min_query_s\":%.6f}\n",
        offsets.size(), failures, bestOffset, bestDelay, median(offsets), median(delays),
        median(queryTimes), *std::min_element(queryTimes.begin(), queryTimes.end()));
    return 0;
}
