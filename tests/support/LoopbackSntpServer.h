#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

namespace velarin::test {

// An SNTP server on 127.0.0.1 at an ephemeral port, answering from the real clock plus an
// offset, with ways to answer badly.
class LoopbackSntpServer {
public:
    enum class Behaviour {
        Good,
        KissOfDeath, // stratum 0
        Unsynchronised, // leap indicator 3
        WrongMode, // a symmetric-active packet instead of a server reply
        WrongOriginate, // does not echo the request's transmit time
        ZeroTransmit,
        Short, // 40 bytes
        Silent, // reads requests, never answers
    };

    explicit LoopbackSntpServer(Behaviour behaviour, double offsetSeconds = 0.0);
    ~LoopbackSntpServer();
    LoopbackSntpServer(const LoopbackSntpServer&) = delete;
    LoopbackSntpServer& operator=(const LoopbackSntpServer&) = delete;

    int Port() const { return port_; }
    int Requests() const { return requests_.load(); }

private:
    void serve();

    Behaviour behaviour_;
    double offsetSeconds_;
    int fd_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ { false };
    std::atomic<int> requests_ { 0 };
    std::thread thread_;
};

} // namespace velarin::test
