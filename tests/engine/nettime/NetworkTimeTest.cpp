#include "engine/nettime/NetworkTime.h"
#include "engine/clockset/RateCorrectingClock.h"
#include "engine/nettime/DaytimeReply.h"
#include "engine/nettime/NtpTime.h"
#include "engine/nettime/SntpClient.h"
#include "engine/nettime/SntpPacket.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/ScriptedNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/LogFileUnderTest.h"

#include <gtest/gtest.h>

#include <limits>

using namespace velarin;

namespace {

constexpr int64_t kTrueNow = 1700000000123456; // 2023-11-14 22:13:20.123456 UTC, in microseconds

std::vector<uint8_t> serverReply(NtpTime originate, NtpTime t2, NtpTime t3, uint8_t stratum = 2)
{
    std::vector<uint8_t> reply(48, 0);
    reply[0] = 0x1C; // leap 0, version 3, server
    reply[1] = stratum;
    originate.ToNetworkBytes(reply.data() + 24);
    t2.ToNetworkBytes(reply.data() + 32);
    t3.ToNetworkBytes(reply.data() + 40);
    return reply;
}

// An SNTP server (stratum 1) that answers from the true time.
ScriptedNetworkSockets::Responder sntpServer()
{
    return [](const std::vector<uint8_t>& request) {
        const NtpTime now((static_cast<uint64_t>(kTrueNow / 1000000 + 2208988800) << 32)
            + static_cast<uint64_t>((kTrueNow % 1000000) * 4294967296.0 / 1e6));
        return NetworkReply { NetworkStatus::Ok,
            serverReply(NtpTime::FromNetworkBytes(request.data() + 40), now, now, 1), 0 };
    };
}

class NetworkTimeTest : public ::testing::Test {
protected:
    NetworkTimeTest()
    {
        clock.SetOffsetMicroseconds(-2'500'000); // the PC clock runs 2.5 s behind
        state.SetCurrentTimeServer("time.example");
        state.useNetworkTime = 1;
        state.timeServerPort = 1313;
        context.sntpPort = 12345;
        context.settingNote = [this] { return settingClock.SettingNote(); };
    }

    MemorySettingsStore settings;
    AppState state;
    SimulatedSystemClock clock { [] { return kTrueNow; } };
    ScriptedNetworkSockets sockets;
    SystemLog log { clock };
    test::LogFileUnderTest logFile { log };
    // Every setting goes through the rate-correcting clock, as in the program.
    RateCorrectingClock settingClock { clock, settings, state, log, [](std::string_view) {} };
    NetworkTimeContext context { settings, state, settingClock, sockets, &log };
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
    EXPECT_FALSE(clock.PrivilegeEnabled()) << "the right to set the clock is given up again";

    EXPECT_EQ(logFile.Lines(),
        std::vector<std::string> { "SetClockFromSntp time.example: stratum 1 offset +2.500000 s "
                                   "delay 0.000000 s, clock set; offset removed +2499.544 ms, "
                                   "rate correction +0.000 ppm" });
}

TEST_F(NetworkTimeTest, SntpFailuresRaiseTheNetworkFailureFlag)
{
    // Name, server, privilege, the clock refuses, result.
    const std::tuple<const char*, ScriptedNetworkSockets::Responder, bool, bool, int> cases[] = {
        { "no answer", {}, true, false, kSntpQueryFailed },
        { "no privilege", sntpServer(), false, false, kSntpSetFailed },
        { "clock refuses", sntpServer(), true, true, kSntpSetFailed },
    };
    for (const auto& [name, responder, privilege, refuse, expected] : cases) {
        sockets.SetDatagramResponder(responder);
        clock.SetPrivilegeAvailable(privilege);
        clock.SetRefuseSets(refuse);
        state.networkFailure = 0;
        EXPECT_EQ(SetClockFromSntp(context, "time.example"), expected) << name;
        state.networkFailure = 0;
        EXPECT_EQ(SetClockFromNetwork(context), 0) << name;
        EXPECT_EQ(state.networkFailure, 1) << name;
        EXPECT_FALSE(clock.PrivilegeEnabled()) << name;
    }
    EXPECT_EQ(clock.OffsetMicroseconds(), -2'500'000) << "no failure may move the clock";
}

// Failed connections are driven against a loopback server; a reply that parses but names no
// real date reaches no clock and clears the flag.
TEST_F(NetworkTimeTest, DaytimeSetsFromAGoodLineOutOfRangeOrCancelledSetsNothing)
{
    settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, 0);
    for (const char* date : { "04-13-05", "23-11-14" }) {
        const std::string line
            = std::string("\n53009 ") + date + " 22:13:20 00 0 0 0.0 UTC(NIST) *\n";
        sockets.SetStreamReply({ .bytes = { line.begin(), line.end() } });
        state.networkFailure = 1;
        EXPECT_EQ(SetClockFromNetwork(context), date[1] == '3' ? 1 : 0);
        EXPECT_EQ(state.networkFailure, 0);
    }
    EXPECT_EQ(settingClock.CurrentReference(), "daytime:time.example");

    // Cancelled queries of either protocol leave clock and flag alone.
    std::atomic<bool> cancel { true };
    context.cancel = &cancel;
    sockets.SetDatagramResponder(sntpServer());
    for (int useSntp : { 1, 0 }) {
        settings.WriteProfileInt(keys::kSettings, keys::kUseSNTP, useSntp);
        state.networkFailure = 0;
        EXPECT_EQ(SetClockFromNetwork(context), 0);
        EXPECT_EQ(state.networkFailure, 0);
    }
    EXPECT_EQ(clock.Requests().size(), 1u);
}

TEST(SntpPacket, OffsetAndDelaySubtractTheServersProcessingTime)
{
    // The client is 2 s behind; 10 ms out, 30 ms of processing at the server, 20 ms back.
    const NtpTime t1(uint64_t { 3900000000 } << 32);
    const NtpTime t2 = t1 + 2.010;
    const NtpTime t3 = t1 + 2.040;
    const NtpTime t4 = t1 + 0.060;
    NtpServerResponse response;
    ASSERT_EQ(CheckSntpReply(serverReply(t1, t2, t3), t1, t4, response), SntpReplyCheck::Good);
    EXPECT_NEAR(response.roundTripDelay, 0.030, 1e-9);
    EXPECT_NEAR(response.localClockOffset, 1.995, 1e-9);
    EXPECT_EQ(std::tie(response.stratum, response.leapIndicator, response.destinationTime),
        std::tuple(2, 0, t4));

    // A 68-byte reply (key and digest appended) is read by its header alone.
    auto withDigest = serverReply(t1, t2, t3);
    withDigest.resize(68, 0xAB);
    EXPECT_EQ(CheckSntpReply(withDigest, t1, t4, response), SntpReplyCheck::Good);
}

TEST(NtpTime, ConvertsBrokenDownTimeRoundsIntoTheDateAndSumsFixedPoint)
{
    const auto stamp = [](uint32_t seconds, uint32_t fraction) {
        return NtpTime((uint64_t { seconds } << 32) | fraction);
    };
    const NtpTime newYear2004 = NtpTime::FromSystemTime({ 2004, 1, 0, 1, 0, 0, 0, 0 });
    EXPECT_EQ(
        std::tuple(newYear2004.Seconds(), newYear2004.Fraction()), std::tuple(3281904000u, 0u));
    EXPECT_EQ(newYear2004.ToSystemTime(), (SystemTime { 2004, 1, 4, 1, 0, 0, 0, 0 })); // a Thursday

    const NtpTime halfSecond = NtpTime::FromSystemTime({ 1900, 1, 0, 1, 0, 0, 0, 500 });
    EXPECT_EQ(std::tuple(halfSecond.Seconds(), halfSecond.Fraction(),
                  halfSecond.ToSystemTime().milliseconds, NtpTime::MillisecondFraction(1),
                  NtpTime::MillisecondFraction(999)),
        std::tuple(0u, 2147483648u, 500, 4294967u, 4290672329u));

    // Every millisecond of a leap day survives the round trip.
    for (int ms = 0; ms < 1000; ++ms) {
        const SystemTime t { 2024, 2, 4, 29, 23, 59, 59, static_cast<uint16_t>(ms) };
        EXPECT_EQ(NtpTime::FromSystemTime(t).ToSystemTime(), t) << ms;
    }
    const NtpTime lastMoment = NtpTime::FromSystemTime({ 2004, 12, 0, 31, 23, 59, 59, 0 });
    const SystemTime carried = stamp(lastMoment.Seconds(), 0xFFFFFFFFu).ToSystemTime();
    EXPECT_EQ(carried, (SystemTime { 2005, 1, 6, 1, 0, 0, 0, 0 }));

    EXPECT_DOUBLE_EQ(stamp(10, 0x80000000u) - stamp(12, 0x40000000u), -1.75);

    EXPECT_EQ(stamp(100, 0) + -1.5, stamp(98, 2147483649u));
    // A non-finite offset leaves the stamp alone rather than wrapping it.
    EXPECT_EQ(stamp(100, 0) + std::numeric_limits<double>::quiet_NaN(), stamp(100, 0));
}

TEST(DaytimeReply, ReadsTheNistLineAndMissingTokensAreFailures)
{
    const auto fields = ParseDaytimeReply("\n53009 04-01-05 12:34:56 00 0 0  50.0 UTC(NIST) *\n");
    ASSERT_TRUE(fields); // the date and time are driven through the loopback Daytime tests
    EXPECT_EQ(fields->advanceMs, 50.0);
    EXPECT_TRUE(IsDaytimeInRange(*fields));
    // Two-digit years pivot at seventy.
    for (auto [yy, year] : { std::pair("69", 2069), std::pair("70", 1970) })
        EXPECT_EQ(
            ParseDaytimeReply(std::string("1 ") + yy + "-01-01 00:00:00 0 0 0 0.0")->year, year);
    for (const char* reply : { "", "\n", "\n53009", "\n53009 04-01-05 12:34:56\n",
             "\n53009 04-01-05 12:34:56 00 0 0\n", "53009 04-01-05" })
        EXPECT_FALSE(ParseDaytimeReply(reply)) << '"' << reply << '"';
    // As with strtok, a closing line feed after the health flag is itself a token (msADV 0).
    EXPECT_EQ(ParseDaytimeReply("\n53009 04-01-05 12:34:56 00 0 0 \n")->advanceMs, 0.0);
    // strtok semantics: an embedded NUL ends the text even when more follows.
    const std::string_view withNul("\n53009 04-01-05\0 12:34:56 00 0 0 50.0 UTC(NIST) *\n", 50);
    EXPECT_FALSE(ParseDaytimeReply(withNul));
}

TEST(DaytimeReply, NumbersReadAsAtoiAndRangeCheckCatchesNonsense)
{
    // Garbage in a numeric field reads as 0 (atoi), which the range check then refuses.
    auto garbage = ParseDaytimeReply("x y-z-w v:u:t s r q p o");
    ASSERT_TRUE(garbage);
    EXPECT_FALSE(IsDaytimeInRange(*garbage));

    const char* outOfRange[] = {
        "1 04-13-05 12:34:56 0 0 0 50.0", // month 13
        "1 04-02-30 12:34:56 0 0 0 50.0", // a day February does not have
        "1 03-02-29 12:34:56 0 0 0 50.0", // the 29th outside a leap year
        "1 04-01-05 24:34:56 0 0 0 50.0", // hour 24
        "1 04-01-05 12:34:61 0 0 0 50.0", // second 61
        "1 04-01-05 12:34:56 0 0 0 -5.0", // negative advance
        "1 04-01-05 12:34:56 0 0 0 86400000.0", // an advance that would stall the worker
        "1 04-01-05 12:34:56 0 0 0 nan", // not a number
        "1 99999999999999999999999-01-05 12:34:56 0 0 0 5", // year far out of range
        "1 04-00-05 12:34:56 0 0 0 5", "1 04-01-00 12:34:56 0 0 0 5", // month 0, day 0
        "1 04-01-05 -1:34:56 0 0 0 5", "1 04-01-05 12:60:56 0 0 0 5", // hour -1, minute 60
        "1 04-01-05 12:-1:56 0 0 0 5", "1 04-01-05 12:34:-1 0 0 0 5", // minute -1, second -1
        "1 04-01-05 12:34:56 0 0 0 +1000.5", // an advance over a second
    };
    for (const char* reply : outOfRange) {
        const auto fields = ParseDaytimeReply(reply);
        ASSERT_TRUE(fields) << reply;
        EXPECT_FALSE(IsDaytimeInRange(*fields)) << reply;
    }
    // A leap second (:60) is in range; the clock itself decides whether it takes it. Numbers
    // may follow C white space and a plus sign.
    EXPECT_TRUE(IsDaytimeInRange(*ParseDaytimeReply("1 16-12-31 \t\v\f\r23:59:60 0 1 0 +50.0")));
}
