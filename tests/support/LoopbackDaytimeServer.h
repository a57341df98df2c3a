#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace velarin::test {

// A TCP server on 127.0.0.1 at an ephemeral port that greets every connection with a fixed
// reply, the way a Daytime server does, or misbehaves.
class LoopbackDaytimeServer {
public:
    enum class Behaviour {
        SendAndClose,
        SendInTwoParts, // the line arrives in two segments 30 ms apart
        CloseWithoutData,
        NeverAnswer, // accepts and holds the connection open in silence
    };

    LoopbackDaytimeServer(Behaviour behaviour, std::string reply = {});
    ~LoopbackDaytimeServer();
    LoopbackDaytimeServer(const LoopbackDaytimeServer&) = delete;
    LoopbackDaytimeServer& operator=(const LoopbackDaytimeServer&) = delete;

    int Port() const { return port_; }
    int Connections() const { return connections_.load(); }

    // A NIST line (with its leading and closing line feed) for the given fields.
    static std::string NistLine(int mjd, int yy, int month, int day, int hour, int minute,
        int second, const char* advance = "50.0");

private:
    void serve();

    Behaviour behaviour_;
    std::string reply_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ { false };
    std::atomic<int> connections_ { 0 };
    std::thread thread_;
};

} // namespace velarin::test
