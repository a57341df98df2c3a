#include "engine/nettime/SntpPacket.h"

namespace velarin {

const char* SntpReplyCheckText(SntpReplyCheck check)
{
    switch (check) {
    case SntpReplyCheck::Good:
        return "good reply";
    case SntpReplyCheck::TooShort:
        return "reply shorter than 48 bytes";
    case SntpReplyCheck::KissOfDeath:
        return "kiss-of-death reply (stratum 0)";
    case SntpReplyCheck::Unsynchronised:
        return "server not synchronised (leap indicator 3)";
    case SntpReplyCheck::NotServerMode:
        return "reply not in server mode";
    case SntpReplyCheck::NoTransmitTime:
        return "reply without transmit time";
    case SntpReplyCheck::OriginateMismatch:
        return "reply does not answer our request";
    }
    return "bad reply";
}

std::vector<uint8_t> BuildSntpRequest(NtpTime transmit)
{
    std::vector<uint8_t> packet(kSntpPacketSize, 0);
    packet[0] = 0x1B; // leap 0, version 3, mode 3 (client)
    transmit.ToNetworkBytes(packet.data() + 40);
    return packet;
}

SntpReplyCheck CheckSntpReply(
    std::span<const uint8_t> reply, NtpTime t1, NtpTime t4, NtpServerResponse& response)
{
    if (reply.size() < kSntpPacketSize)
        return SntpReplyCheck::TooShort;
    const int leap = reply[0] >> 6;
    const int mode = reply[0] & 0x07;
    const int stratum = reply[1];
    const NtpTime originate = NtpTime::FromNetworkBytes(reply.data() + 24);
    const NtpTime t2 = NtpTime::FromNetworkBytes(reply.data() + 32);
    const NtpTime t3 = NtpTime::FromNetworkBytes(reply.data() + 40);
    if (mode != 4)
        return SntpReplyCheck::NotServerMode;
    if (stratum == 0)
        return SntpReplyCheck::KissOfDeath;
    if (leap == 3)
        return SntpReplyCheck::Unsynchronised;
    if (t3.Value() == 0)
        return SntpReplyCheck::NoTransmitTime;
    if (originate != t1)
        return SntpReplyCheck::OriginateMismatch;

    response.leapIndicator = leap;
    response.stratum = stratum;
    response.originateTime = originate;
    response.receiveTime = t2;
    response.transmitTime = t3;
    response.destinationTime = t4;
    response.roundTripDelay = (t4 - originate) - (t3 - t2);
    response.localClockOffset = ((t2 - originate) + (t3 - t4)) * 0.5;
    return SntpReplyCheck::Good;
}

} // namespace velarin
