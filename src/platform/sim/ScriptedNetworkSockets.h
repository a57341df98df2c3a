#pragma once

#include "platform/NetworkSockets.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace velarin {

// Network sockets that never touch the network: each datagram exchange hands the request to a
// responder the test supplies, each stream read returns the scripted reply.
class ScriptedNetworkSockets : public NetworkSockets {
public:
    using Responder = std::function<NetworkReply(const std::vector<uint8_t>& request)>;

    void SetDatagramResponder(Responder responder);
    void SetStreamReply(NetworkReply reply);

    NetworkReply ExchangeDatagram(
        const DatagramExchange& exchange, const std::atomic<bool>* cancel) override;
    NetworkReply ReceiveStreamLine(const std::string& host, int port, size_t maxBytes,
        int connectTimeoutMs, int receiveTimeoutMs, const std::atomic<bool>* cancel) override;

private:
    mutable std::mutex mutex_;
    Responder responder_;
    NetworkReply streamReply_ { NetworkStatus::ConnectFailed, {}, 0 };
};

} // namespace velarin
