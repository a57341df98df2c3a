#include "engine/nettime/NetworkTime.h"
#include "engine/nettime/SntpClient.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/ScriptedNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/LogFileUnderTest.h"

#include <gtest/gtest.h>

using namespace velarin;

namespace {

constexpr int64_t kTrueNow = 1700000000123456; // 2023-11-14 22:13:20.123456 UTC, in microseconds

NtpTime trueNtp()
{
    return NtpTime((static_cast<uint64_t>(kTrueNow / 1000000 + 2208988800) << 32)
        + static_cast<uint64_t>((kTrueNow % 1000000) * 4294967296.0 / 1e6));
}

NetworkReply bytesReply(std::string_view text)
{
    return { NetworkStatus::Ok, std::vector<uint8_t>(text.begin(), text.end()), 0 };
}

// An SNTP server that answers from the true time with the given first byte and stratum.
ScriptedNetworkSockets::Responder sntpServer(uint8_t first = 0x1C, uint8_t stratum = 1)
{
    return [=](const std::vector<uint8_t>& request) {
        std::vector<uint8_t> reply(48, 0);
        reply[0] = first;
        reply[1] = stratum;
        std::copy(request.begin() + 40, request.begin() + 48, reply.begin() + 24);
        trueNtp().ToNetworkBytes(reply.data() + 32);
        trueNtp().ToNetworkBytes(reply.data() + 40);
        return NetworkReply { NetworkStatus::Ok, reply, 0 };
    };
}

class NetworkTimeTest : public ::testing::Test {
protected:
    NetworkTimeTest()
    {
        clock.SetOffsetMicroseconds(-2'500'000); // the PC clock runs 2.5 s behind
        state.SetCurrentTimeServer("time.example");
        state.timeServerPort = 1313;
        context.sntpPort = 12345;
    }

    MemorySettingsStore settings;
    AppState state;
    SimulatedSystemClock clock { [] { return kTrueNow; } };
    ScriptedNetworkSockets sockets;
    SystemLog log { clock };
    test::LogFileUnderTest logFile { log };
    NetworkTimeContext context { settings, state, clock, sockets, &log };
};

} // namespace

TEST_F(NetworkTimeTest, SntpSetsTheClockByTheMeasuredOffset)
{
    sockets.SetDatagramResponder(sntpServer());
    state.networkFailure = 1;
    EXPECT_EQ(SetClockFromNetwork(context), 1);
    EXPECT_EQ(state.networkFailure, 0);

    const auto requests = clock.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].accepted);
    EXPECT_EQ(ToUnixMilliseconds(requests[0].requested).value(), kTrueNow / 1000);
    EXPECT_LE(std::abs(clock.OffsetMicroseconds()), 1000);
    EXPECT_FALSE(clock.PrivilegeEnabled()) << "the right to set the clock is given up again";

    const auto calls = sockets.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(std::tie(calls[0].host, calls[0].port), std::tuple("time.example", 12345));
    EXPECT_EQ(logFile.Lines(),
        std::vector<std::string> { "SetClockFromSntp time.example: stratum "
                                   "1 offset +2.500000 s delay 0.000000 s, "
                                   "clock set" });
}

TEST_F(NetworkTimeTest, SntpFailuresRaiseTheNetworkFailureFlag)
{
    struct Case {
        const char* name;
        ScriptedNetworkSockets::Responder responder;
        bool privilege;
        bool refuse;
        int expected;
    };
    const Case cases[] = {
        { "no answer", {}, true, false, kSntpQueryFailed },
        { "kiss-of-death", sntpServer(0x1C, 0), true, false, kSntpQueryFailed },
        { "unsynchronised", sntpServer(0xDC, 1), true, false, kSntpQueryFailed },
        { "no privilege", sntpServer(), false, false, kSntpSetFailed },
        { "clock refuses", sntpServer(), true, true, kSntpSetFailed },
    };
    for (const Case& c : cases) {
        sockets.SetDatagramResponder(c.responder);
        clock.SetPrivilegeAvailable(c.privilege);
        clock.SetRefuseSets(c.refuse);
        state.networkFailure = 0;
        EXPECT_EQ(SetClockFromSntp(context, "time.example"), c.expected) << c.name;
        state.networkFailure = 0;
        EXPECT_EQ(SetClockFromNetwork(context), 0) << c.name;
        EXPECT_EQ(state.networkFailure, 1) << c.name;
        EXPECT_FALSE(clock.PrivilegeEnabled()) << c.name;
    }
    EXPECT_EQ(clock.OffsetMicroseconds(), -2'500'000) << "no failure may move the clock";
}

TEST_F(NetworkTimeTest, UseSntpIsReadAtEveryCall)
{
    sockets.SetDatagramResponder(sntpServer());
    sockets.SetStreamReply(bytesReply("\n60262 23-11-14 22:13:20 00 0 0 0.0 UTC(NIST) *\n"));
    settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);
    EXPECT_EQ(SetClockFromNetwork(context), 1);
    settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 1);
    EXPECT_EQ(SetClockFromNetwork(context), 1);
    settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 2); // anything but 1 is Daytime
    EXPECT_EQ(SetClockFromNetwork(context), 1);

    const auto calls = sockets.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(std::tuple(calls[0].port, calls[0].request.size(), calls[1].port,
                  calls[1].request.size(), calls[2].port),
        std::tuple(1313, 0u, 12345, 48u, 1313));
}

TEST_F(NetworkTimeTest, DaytimeSetsWholeSecondsAndKeepsTheFlagRules)
{
    settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);

    sockets.SetStreamReply(bytesReply("\n53009 04-01-05 12:34:56 00 0 0  0.0 UTC(NIST) *\n"));
    state.networkFailure = 1;
    EXPECT_EQ(SetClockFromNetwork(context), 1);
    EXPECT_EQ(state.networkFailure, 0);
    SystemTime expected { 2004, 1, 0, 5, 12, 34, 56, 0 };
    expected.dayOfWeek = clock.Requests().back().requested.dayOfWeek; // ignored by the clock
    EXPECT_EQ(clock.Requests().back().requested, expected);

    struct Case {
        const char* name;
        NetworkReply reply;
        int flagBefore;
        int flagAfter;
    };
    const Case cases[] = {
        { "no connection", { NetworkStatus::ConnectFailed, {}, 111 }, 0, 1 },
        { "name unknown", { NetworkStatus::ResolveFailed, {}, 0 }, 0, 1 },
        { "closed without data", { NetworkStatus::Closed, {}, 0 }, 1, 1 },
        { "closed without data", { NetworkStatus::Closed, {}, 0 }, 0, 0 },
        { "silent server", { NetworkStatus::TimedOut, {}, 0 }, 1, 1 },
        { "ends after seconds", bytesReply("\n53009 04-01-05 12:34:56\n"), 1, 0 },
        { "month 13", bytesReply("\n53009 04-13-05 12:34:56 00 0 0 0.0 UTC(NIST) *\n"), 1, 0 },
        { "30 February", bytesReply("\n53009 04-02-30 12:34:56 00 0 0 0.0 UTC(NIST) *\n"), 1, 0 },
        { "garbage", bytesReply("SSH-2.0-OpenSSH_9.2p1 Debian-2\r\n"), 1, 0 },
    };
    const size_t setsBefore = clock.Requests().size();
    for (const Case& c : cases) {
        sockets.SetStreamReply(c.reply);
        state.networkFailure = c.flagBefore;
        EXPECT_EQ(SetClockFromNetwork(context), 0) << c.name;
        EXPECT_EQ(state.networkFailure, c.flagAfter) << c.name;
    }
    EXPECT_EQ(clock.Requests().size(), setsBefore) << "no failure may reach the clock";
}

TEST_F(NetworkTimeTest, CancelledQueriesLeaveClockAndFlagAlone)
{
    std::atomic<bool> cancel { true };
    context.cancel = &cancel;
    sockets.SetDatagramResponder(sntpServer());
    sockets.SetStreamReply(bytesReply("\n53009 04-01-05 12:34:56 00 0 0 0.0 UTC(NIST) *\n"));
    for (int useSntp : { 1, 0 }) {
        settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, useSntp);
        state.networkFailure = 0;
        EXPECT_EQ(SetClockFromNetwork(context), 0);
        EXPECT_EQ(state.networkFailure, 0);
    }
    EXPECT_TRUE(clock.Requests().empty());
}

TEST_F(NetworkTimeTest, SetClientTimeCarriesARoundedSecond)
{
    CSntpClient client(sockets, clock, nullptr);
    // 2004-12-31 23:59:59.9996: rounds to the next day, 0 ms, which the clock accepts.
    const NtpTime almostNewYear
        = NtpTime::FromSystemTime({ 2004, 12, 0, 31, 23, 59, 59, 0 }) + 0.9996;
    EXPECT_EQ(client.SetClientTime(almostNewYear), 1);
    EXPECT_EQ(clock.Requests().back().requested.year, 2005);
    EXPECT_EQ(clock.Requests().back().requested.milliseconds, 0);
    EXPECT_FALSE(clock.PrivilegeEnabled());
}
