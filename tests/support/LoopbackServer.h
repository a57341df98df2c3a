#pragma once

#include <arpa/inet.h>
#include <atomic>
#include <functional>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace velarin::test {

// A socket on 127.0.0.1 at an ephemeral port and a thread that hands it to a handler whenever it
// is readable, started once the derived server's members are ready and stopped before they go.
class LoopbackServer {
public:
    int Port() const { return port_; }

protected:
    explicit LoopbackServer(int type)
        : fd_(::socket(AF_INET, type | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address { AF_INET, 0, { htonl(INADDR_LOOPBACK) }, {} };
        socklen_t length = sizeof address;
        if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
            || (type == SOCK_STREAM && ::listen(fd_, 8) != 0)
            || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("cannot bind a loopback socket");
        port_ = ntohs(address.sin_port);
    }
    ~LoopbackServer() { ::close(fd_); }

    void start(std::function<void()> onReadable)
    {
        thread_ = std::thread([this, onReadable] {
            while (!stop_) {
                pollfd entry { fd_, POLLIN, 0 };
                if (::poll(&entry, 1, 20) > 0)
                    onReadable();
            }
        });
    }
    void stop() { stop_ = true, thread_.join(); }

    const int fd_;

private:
    int port_ = 0;
    std::atomic<bool> stop_ { false };
    std::thread thread_;
};

} // namespace velarin::test
