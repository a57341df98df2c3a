#include "platform/sim/ScriptedNetworkSockets.h"

namespace velarin {

void ScriptedNetworkSockets::SetDatagramResponder(Responder responder)
{
    std::lock_guard lock(mutex_);
    responder_ = std::move(responder);
}

void ScriptedNetworkSockets::SetStreamReply(NetworkReply reply)
{
    std::lock_guard lock(mutex_);
    streamReply_ = std::move(reply);
}

NetworkReply ScriptedNetworkSockets::ExchangeDatagram(
    const DatagramExchange& exchange, const std::atomic<bool>* cancel)
{
    if (cancel && cancel->load())
        return { NetworkStatus::Cancelled, {}, 0 };
    const std::vector<uint8_t> request
        = exchange.buildRequest ? exchange.buildRequest() : std::vector<uint8_t> {};
    Responder responder;
    {
        std::lock_guard lock(mutex_);
        responder = responder_;
    }
    NetworkReply reply
        = responder ? responder(request) : NetworkReply { NetworkStatus::TimedOut, {}, 0 };
    if (reply.status == NetworkStatus::Ok) {
        if (exchange.onReadable)
            exchange.onReadable();
        if (reply.bytes.size() > exchange.maxReplySize)
            reply.bytes.resize(exchange.maxReplySize);
    }
    return reply;
}

NetworkReply ScriptedNetworkSockets::ReceiveStreamLine(
    const std::string&, int, size_t maxBytes, int, int, const std::atomic<bool>* cancel)
{
    if (cancel && cancel->load())
        return { NetworkStatus::Cancelled, {}, 0 };
    std::lock_guard lock(mutex_);
    NetworkReply reply = streamReply_;
    if (reply.bytes.size() > maxBytes)
        reply.bytes.resize(maxBytes);
    return reply;
}

} // namespace velarin
