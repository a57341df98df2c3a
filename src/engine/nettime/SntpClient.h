#pragma once

#include "engine/nettime/NtpTime.h"
#include "engine/nettime/SntpPacket.h"
#include "platform/NetworkSockets.h"
#include "platform/SystemClock.h"

#include <atomic>
#include <string>

namespace velarin {

// One SNTP query and the privileged setting of the clock from its result. Local to one network
// attempt on the set-time worker.
class CSntpClient {
public:
    static constexpr int kDefaultTimeoutMs = 5000;
    static constexpr int kSntpPort = 123;

    CSntpClient(NetworkSockets& sockets, SystemClock& clock, const std::atomic<bool>* cancel,
        int timeoutMs = kDefaultTimeoutMs);

    // Sends one request and checks the answer. False when no good answer came; LastError says
    // why.
    bool GetServerTime(const std::string& server, NtpServerResponse& reply, int port);

    // Raises the right to set the clock; remembers that it did so it can be dropped again.
    bool EnableSystemTimePrivilege();
    // Sets the clock to the given time with the right held only around the call. Non-zero
    // when the clock was set.
    int SetClientTime(NtpTime time);

    const std::string& LastError() const { return lastError_; }
    NetworkStatus LastStatus() const { return lastStatus_; }

private:
    NetworkSockets& sockets_;
    SystemClock& clock_;
    const std::atomic<bool>* cancel_;
    int timeoutMs_;
    bool privilegeChanged_ = false;
    std::string lastError_;
    NetworkStatus lastStatus_ = NetworkStatus::Ok;
};

} // namespace velarin
