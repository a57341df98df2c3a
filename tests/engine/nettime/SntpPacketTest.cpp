#include "engine/nettime/SntpPacket.h"

#include <gtest/gtest.h>

using namespace velarin;

namespace {

NtpTime at(double seconds)
{
    return NtpTime(uint64_t { 3900000000 } << 32) + seconds;
}

std::vector<uint8_t> serverReply(NtpTime originate, NtpTime t2, NtpTime t3)
{
    std::vector<uint8_t> reply(48, 0);
    reply[0] = 0x1C; // leap 0, version 3, server
    reply[1] = 2;
    originate.ToNetworkBytes(reply.data() + 24);
    t2.ToNetworkBytes(reply.data() + 32);
    t3.ToNetworkBytes(reply.data() + 40);
    return reply;
}

} // namespace

TEST(SntpPacket, RequestIsVersion3ClientCarryingT1)
{
    const NtpTime t1 = at(0.123);
    const auto request = BuildSntpRequest(t1);
    ASSERT_EQ(request.size(), 48u);
    EXPECT_EQ(request[0], 0x1B);
    for (size_t i = 1; i < 40; ++i)
        EXPECT_EQ(request[i], 0) << i;
    EXPECT_EQ(NtpTime::FromNetworkBytes(request.data() + 40), t1);
}

TEST(SntpPacket, OffsetAndDelaySubtractTheServersProcessingTime)
{
    // The client is 2 s behind; 10 ms out, 30 ms of processing at the server, 20 ms back.
    const NtpTime t1 = at(0.0);
    const NtpTime t2 = at(2.010);
    const NtpTime t3 = at(2.040);
    const NtpTime t4 = at(0.060);
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

TEST(SntpPacket, RefusesRepliesThatCannotBeTrusted)
{
    const NtpTime t1 = at(0.0);
    const NtpTime t4 = at(0.004);
    const auto good = serverReply(t1, at(0.001), at(0.002));
    struct Case {
        const char* name;
        void (*spoil)(std::vector<uint8_t>&);
        SntpReplyCheck expected;
    };
    const Case cases[] = {
        { "short", [](std::vector<uint8_t>& r) { r.resize(47); }, SntpReplyCheck::TooShort },
        { "kiss-of-death", [](std::vector<uint8_t>& r) { r[1] = 0; }, SntpReplyCheck::KissOfDeath },
        { "leap 3", [](std::vector<uint8_t>& r) { r[0] = 0xDC; }, SntpReplyCheck::Unsynchronised },
        { "client mode", [](std::vector<uint8_t>& r) { r[0] = 0x1B; },
            SntpReplyCheck::NotServerMode },
        { "broadcast mode", [](std::vector<uint8_t>& r) { r[0] = 0x1D; },
            SntpReplyCheck::NotServerMode },
        { "no transmit time",
            [](std::vector<uint8_t>& r) { std::fill(r.begin() + 40, r.end(), 0); },
            SntpReplyCheck::NoTransmitTime },
        { "stale originate", [](std::vector<uint8_t>& r) { r[31] ^= 1; },
            SntpReplyCheck::OriginateMismatch },
    };
    for (const Case& c : cases) {
        auto reply = good;
        c.spoil(reply);
        NtpServerResponse response;
        response.stratum = -1;
        EXPECT_EQ(CheckSntpReply(reply, t1, t4, response), c.expected) << c.name;
        EXPECT_EQ(response.stratum, -1) << c.name << ": a refused reply must not fill the record";
    }
    // Leap indicators 1 and 2 announce a leap second; the time itself is good.
    auto leap = good;
    leap[0] = 0x5C;
    NtpServerResponse response;
    EXPECT_EQ(CheckSntpReply(leap, t1, t4, response), SntpReplyCheck::Good);
    EXPECT_EQ(response.leapIndicator, 1);
}
