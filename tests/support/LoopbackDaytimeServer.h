#pragma once

#include "support/LoopbackServer.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace velarin::test {

// A TCP server on 127.0.0.1 at an ephemeral port that greets every connection with a fixed
// reply, the way a Daytime server does, or misbehaves.
class LoopbackDaytimeServer : public LoopbackServer {
public:
    enum class Behaviour {
        SendAndClose,
        SendInTwoParts, // the line arrives in two segments 30 ms apart
        CloseWithoutData,
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

    // A NIST line (with its leading and closing line feed) for the given fields.
    static std::string NistLine(int mjd, int yy, int month, int day, int hour, int minute,
        int second, const char* advance = "50.0")
    {
        char line[96];
        std::snprintf(line, sizeof line,
            "\n%05d %02d-%02d-%02d %02d:%02d:%02d 00 0 0 %s UTC(NIST) *\n", mjd, yy, month, day,
            hour, minute, second, advance);
        return line;
    }

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
        const size_t first = behaviour_ == Behaviour::CloseWithoutData ? 0
            : behaviour_ == Behaviour::SendInTwoParts                  ? reply_.size() / 2
                                                                       : reply_.size();
        ::send(client, reply_.data(), first, MSG_NOSIGNAL);
        if (behaviour_ == Behaviour::SendInTwoParts) {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            ::send(client, reply_.data() + first, reply_.size() - first, MSG_NOSIGNAL);
        }
        ::close(client);
    }

    Behaviour behaviour_;
    std::string reply_;
    std::atomic<int> connections_ { 0 };
    std::vector<int> held_; // only the server thread touches it until stop()
};

} // namespace velarin::test
