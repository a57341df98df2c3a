#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velarin {

enum class NetworkStatus {
    Ok,
    ResolveFailed, // the name is neither an address nor known
    SocketFailed,
    ConnectFailed,
    SendFailed,
    TimedOut,
    ReceiveFailed, // a socket error, ICMP refusal included
    Closed, // the peer closed the connection before sending anything
    Cancelled,
};

inline const char* NetworkStatusText(NetworkStatus status)
{
    switch (status) {
    case NetworkStatus::Ok:
        return "ok";
    case NetworkStatus::ResolveFailed:
        return "cannot resolve the server name";
    case NetworkStatus::SocketFailed:
        return "cannot create a socket";
    case NetworkStatus::ConnectFailed:
        return "cannot connect to the server";
    case NetworkStatus::SendFailed:
        return "cannot send to the server";
    case NetworkStatus::TimedOut:
        return "no answer within the time-out";
    case NetworkStatus::ReceiveFailed:
        return "receive failed";
    case NetworkStatus::Closed:
        return "the server closed the connection without data";
    case NetworkStatus::Cancelled:
        return "cancelled";
    }
    return "unknown";
}

struct NetworkReply {
    NetworkStatus status = NetworkStatus::Ok;
    std::vector<uint8_t> bytes;
    int systemError = 0; // errno (or resolver code) behind a failure, 0 when none
};

// One request and its answer over a UDP socket connected to the server, so that only that
// peer's datagrams are taken.
struct DatagramExchange {
    std::string host; // a dotted address or a name; the first address found is used
    int port = 123;
    int timeoutMs = 5000; // for the answer, counted from the send
    size_t maxReplySize = 68;
    // Called immediately before the send: returns the datagram, so a time stamp in it is fresh.
    std::function<std::vector<uint8_t>()> buildRequest;
    // Called as soon as the answer is readable, before it is received.
    std::function<void()> onReadable;
};

// The sockets the network clients use. Every call ends within its time-outs, and within about
// 20 ms of *cancel becoming true (cancel may be null). Calls from several threads are allowed.
class NetworkSockets {
public:
    virtual ~NetworkSockets() = default;

    virtual NetworkReply ExchangeDatagram(
        const DatagramExchange& exchange, const std::atomic<bool>* cancel)
        = 0;

    // Connects over TCP and reads the one line a server sends on connection: bytes until the
    // server closes, maxBytes have arrived, or a line feed ends a line with text in it. Bytes
    // received before a receive time-out are returned as a reply; none gives TimedOut.
    virtual NetworkReply ReceiveStreamLine(const std::string& host, int port, size_t maxBytes,
        int connectTimeoutMs, int receiveTimeoutMs, const std::atomic<bool>* cancel)
        = 0;
};

} // namespace velarin
