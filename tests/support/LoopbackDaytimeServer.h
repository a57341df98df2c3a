#pragma once

#include "support/LoopbackServer.h"

#include <chrono>
#include <string>
#include <vector>

namespace velarin::test {

// A Daytime server: greets every connection with a fixed reply (maybe none), or misbehaves.
class LoopbackDaytimeServer : public LoopbackServer {
public:
    enum class Behaviour {
        SendAndClose,
        SendInTwoParts, // the line arrives in two segments 30 ms apart
        NeverAnswer, // accepts and holds the connection open in silence
    };

    LoopbackDaytimeServer(Behaviour behaviour, std::string reply = {})
        : LoopbackServer(SOCK_STREAM)
        , behaviour_(behaviour)
        , reply_(std::move(reply))
    {
        start([this] { greet(); });
    }
    ~LoopbackDaytimeServer()
    {
        stop();
        for (int client : held_)
            ::close(client);
    }

    int Connections() const { return connections_.load(); }

    // A NIST line, leading and closing line feed included: 2004-01-05 12:34:56, 50 ms advance.
    static std::string NistLine() { return "\n53009 04-01-05 12:34:56 00 0 0 50.0 UTC(NIST) *\n"; }

private:
    void greet()
    {
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        ++connections_;
        if (behaviour_ == Behaviour::NeverAnswer)
            return held_.push_back(client);
        // The whole reply, or (in two parts) its first half, a pause, then the rest.
        const bool split = behaviour_ == Behaviour::SendInTwoParts;
        const size_t first = split ? reply_.size() / 2 : reply_.size();
        ::send(client, reply_.data(), first, MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(split ? 30 : 0));
        ::send(client, reply_.data() + first, reply_.size() - first, MSG_NOSIGNAL);
        ::close(client);
    }

    Behaviour behaviour_;
    std::string reply_;
    std::atomic<int> connections_ { 0 };
    std::vector<int> held_; // only the server thread touches it until stop()
};

} // namespace velarin::test
