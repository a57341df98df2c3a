#pragma once

#include "platform/NetworkSockets.h"

namespace velarin {

// POSIX sockets, non-blocking, with every wait sliced so cancellation is seen within 20 ms.
// Names are resolved on a helper thread so that a slow resolver is bounded too; the helper is
// left to finish on its own when the caller gives up on it.
class LinuxNetworkSockets : public NetworkSockets {
public:
    NetworkReply ExchangeDatagram(
        const DatagramExchange& exchange, const std::atomic<bool>* cancel) override;
    NetworkReply ReceiveStreamLine(const std::string& host, int port, size_t maxBytes,
        int connectTimeoutMs, int receiveTimeoutMs, const std::atomic<bool>* cancel) override;
};

} // namespace velarin
