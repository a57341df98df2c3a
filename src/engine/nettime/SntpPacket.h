#pragma once

#include "engine/nettime/NtpTime.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velarin {

inline constexpr size_t kSntpPacketSize = 48;
inline constexpr size_t kSntpReplyBufferSize = 68; // header, key id and digest (not used)

// What a server answered, and what the client made of it.
struct NtpServerResponse {
    int leapIndicator = 0;
    int stratum = 0;
    NtpTime originateTime;
    NtpTime receiveTime; // T2
    NtpTime transmitTime; // T3
    NtpTime destinationTime; // T4
    double roundTripDelay = 0; // seconds
    double localClockOffset = 0; // seconds to add to the local clock
};

enum class SntpReplyCheck {
    Good,
    TooShort,
    KissOfDeath, // stratum 0: the server refuses service or is not ready
    Unsynchronised, // leap indicator 3
    NotServerMode,
    NoTransmitTime,
    OriginateMismatch, // not the answer to our request: stale or forged
};

const char* SntpReplyCheckText(SntpReplyCheck check);

// The 48-byte client request (version 3, client mode) carrying T1 as its transmit time.
std::vector<uint8_t> BuildSntpRequest(NtpTime transmit);

// Checks a reply to the request sent at t1 and received at t4, and fills the response with the
// offset ((T2 - T1) + (T3 - T4)) / 2 and the delay (T4 - T1) - (T3 - T2). The response is
// filled only for a good reply.
SntpReplyCheck CheckSntpReply(
    std::span<const uint8_t> reply, NtpTime t1, NtpTime t4, NtpServerResponse& response);

} // namespace velarin
