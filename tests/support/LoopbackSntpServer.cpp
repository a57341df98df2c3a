#include "support/LoopbackSntpServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace velarin::test {

namespace {

// Seconds since 1900 in NTP's 32.32 fixed point, from the real clock plus an offset.
uint64_t ntpNow(double offsetSeconds)
{
    const auto since1970
        = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count()
        + offsetSeconds;
    const double since1900 = since1970 + 2208988800.0;
    const double whole = static_cast<double>(static_cast<uint64_t>(since1900));
    return (static_cast<uint64_t>(whole) << 32)
        + static_cast<uint64_t>((since1900 - whole) * 4294967296.0);
}

void putStamp(uint8_t* at, uint64_t stamp)
{
    for (int i = 0; i < 8; ++i)
        at[i] = static_cast<uint8_t>(stamp >> (56 - 8 * i));
}

} // namespace

LoopbackSntpServer::LoopbackSntpServer(Behaviour behaviour, double offsetSeconds)
    : behaviour_(behaviour)
    , offsetSeconds_(offsetSeconds)
{
    fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot bind a loopback UDP socket");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LoopbackSntpServer::~LoopbackSntpServer()
{
    stop_ = true;
    thread_.join();
    ::close(fd_);
}

void LoopbackSntpServer::serve()
{
    while (!stop_) {
        pollfd entry { fd_, POLLIN, 0 };
        if (::poll(&entry, 1, 20) <= 0)
            continue;
        uint8_t request[128];
        sockaddr_storage peer {};
        socklen_t peerLength = sizeof peer;
        const ssize_t size = ::recvfrom(
            fd_, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&peer), &peerLength);
        if (size < 48)
            continue;
        ++requests_;
        if (behaviour_ == Behaviour::Silent)
            continue;
        const uint64_t received = ntpNow(offsetSeconds_);
        std::vector<uint8_t> reply(48, 0);
        reply[0] = (0 << 6) | (3 << 3) | 4;
        reply[1] = 1;
        reply[3] = static_cast<uint8_t>(-20);
        std::memcpy(reply.data() + 12, "GPS", 3);
        std::memcpy(reply.data() + 24, request + 40, 8);
        putStamp(reply.data() + 16, received);
        putStamp(reply.data() + 32, received);
        putStamp(reply.data() + 40, ntpNow(offsetSeconds_));
        switch (behaviour_) {
        case Behaviour::KissOfDeath:
            reply[1] = 0;
            std::memcpy(reply.data() + 12, "RATE", 4);
            break;
        case Behaviour::Unsynchronised:
            reply[0] = (3 << 6) | (3 << 3) | 4;
            break;
        case Behaviour::WrongMode:
            reply[0] = (0 << 6) | (3 << 3) | 1;
            break;
        case Behaviour::WrongOriginate:
            reply[24] ^= 0x01;
            break;
        case Behaviour::ZeroTransmit:
            std::memset(reply.data() + 40, 0, 8);
            break;
        case Behaviour::Short:
            reply.resize(40);
            break;
        default:
            break;
        }
        ::sendto(
            fd_, reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&peer), peerLength);
    }
}

} // namespace velarin::test
