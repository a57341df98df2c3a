#include "engine/nettime/SntpClient.h"

namespace velarin {

CSntpClient::CSntpClient(
    NetworkSockets& sockets, SystemClock& clock, const std::atomic<bool>* cancel, int timeoutMs)
    : sockets_(sockets)
    , clock_(clock)
    , cancel_(cancel)
    , timeoutMs_(timeoutMs)
{
}

bool CSntpClient::GetServerTime(const std::string& server, NtpServerResponse& reply, int port)
{
    NtpTime t1;
    NtpTime t4;
    DatagramExchange exchange;
    exchange.host = server;
    exchange.port = port;
    exchange.timeoutMs = timeoutMs_;
    exchange.maxReplySize = kSntpReplyBufferSize;
    // T1 right before the send and T4 as soon as the answer is readable: the time spent in
    // building and receiving stays out of the measurement.
    exchange.buildRequest = [&] {
        t1 = NtpTime::GetCurrentTime(clock_);
        return BuildSntpRequest(t1);
    };
    exchange.onReadable = [&] { t4 = NtpTime::GetCurrentTime(clock_); };

    const NetworkReply answer = sockets_.ExchangeDatagram(exchange, cancel_);
    lastStatus_ = answer.status;
    if (answer.status != NetworkStatus::Ok) {
        lastError_ = NetworkStatusText(answer.status);
        return false;
    }
    if (answer.bytes.empty()) {
        lastStatus_ = NetworkStatus::ReceiveFailed;
        lastError_ = "empty reply";
        return false;
    }
    const SntpReplyCheck check = CheckSntpReply(answer.bytes, t1, t4, reply);
    if (check != SntpReplyCheck::Good) {
        lastError_ = SntpReplyCheckText(check);
        return false;
    }
    lastError_.clear();
    return true;
}

bool CSntpClient::EnableSystemTimePrivilege()
{
    privilegeChanged_ = false;
    if (!clock_.EnableSystemTimePrivilege())
        return false;
    privilegeChanged_ = true;
    return true;
}

int CSntpClient::SetClientTime(NtpTime time)
{
    int result = 0;
    if (EnableSystemTimePrivilege())
        result = clock_.SetUtc(time.ToSystemTime()) ? 1 : 0;
    if (privilegeChanged_) {
        clock_.DisableSystemTimePrivilege();
        privilegeChanged_ = false;
    }
    return result;
}

} // namespace velarin
