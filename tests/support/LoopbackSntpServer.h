#pragma once

#include "support/LoopbackServer.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

namespace velarin::test {

// An SNTP server answering from the real clock plus an offset, or badly.
class LoopbackSntpServer : public LoopbackServer {
public:
    enum class Behaviour {
        Good,
        KissOfDeath, // stratum 0
        Unsynchronised, // leap indicator 3
        WrongMode, // a symmetric-active packet instead of a server reply
        WrongOriginate, // does not echo the request's transmit time
        ZeroTransmit,
        Short, // 40 bytes
        Silent, // reads requests, never answers
    };

    explicit LoopbackSntpServer(Behaviour behaviour, double offsetSeconds = 0.0)
        : LoopbackServer(SOCK_DGRAM)
        , behaviour_(behaviour)
        , offsetSeconds_(offsetSeconds)
    {
        start([this] { answer(); });
    }
    ~LoopbackSntpServer() { stop(); }

    int Requests() const { return requests_.load(); }

private:
    // Seconds since 1900 in NTP's 32.32 fixed point, from the real clock plus the offset.
    void putNow(uint8_t* at) const
    {
        const std::chrono::duration<double> now
            = std::chrono::system_clock::now().time_since_epoch();
        const auto stamp
            = static_cast<uint64_t>((now.count() + offsetSeconds_ + 2208988800.0) * 4294967296.0);
        for (int i = 0; i < 8; ++i)
            at[i] = static_cast<uint8_t>(stamp >> (56 - 8 * i));
    }

    void answer()
    {
        uint8_t request[128];
        sockaddr_storage peer {};
        socklen_t peerLength = sizeof peer;
        const ssize_t size = ::recvfrom(
            fd_, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&peer), &peerLength);
        if (size < 48)
            return;
        ++requests_;
        if (behaviour_ == Behaviour::Silent)
            return;
        // Leap indicator, version 3, mode 4 (server), or what the behaviour breaks.
        std::vector<uint8_t> reply(behaviour_ == Behaviour::Short ? 40 : 48, 0);
        reply[0] = behaviour_ == Behaviour::Unsynchronised ? (3 << 6) | (3 << 3) | 4
            : behaviour_ == Behaviour::WrongMode           ? (3 << 3) | 1
                                                           : (3 << 3) | 4;
        reply[1] = behaviour_ == Behaviour::KissOfDeath ? 0 : 1;
        reply[3] = static_cast<uint8_t>(-20);
        std::memcpy(reply.data() + 12, reply[1] == 0 ? "RATE" : "GPS", 4);
        std::memcpy(reply.data() + 24, request + 40, 8);
        reply[24] ^= behaviour_ == Behaviour::WrongOriginate ? 1 : 0;
        putNow(reply.data() + 16);
        std::memcpy(reply.data() + 32, reply.data() + 16, 8);
        if (behaviour_ != Behaviour::ZeroTransmit && reply.size() == 48)
            putNow(reply.data() + 40);
        ::sendto(
            fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&peer), peerLength);
    }

    Behaviour behaviour_;
    double offsetSeconds_;
    std::atomic<int> requests_ { 0 };
};

} // namespace velarin::test
