#include "support/LoopbackDaytimeServer.h"

#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace velarin::test {

LoopbackDaytimeServer::LoopbackDaytimeServer(Behaviour behaviour, std::string reply)
    : behaviour_(behaviour)
    , reply_(std::move(reply))
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    ::setsockopt(fd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(fd_, 8) != 0
        || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on loopback");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LoopbackDaytimeServer::~LoopbackDaytimeServer()
{
    stop_ = true;
    thread_.join();
    ::close(fd_);
}

std::string LoopbackDaytimeServer::NistLine(
    int mjd, int yy, int month, int day, int hour, int minute, int second, const char* advance)
{
    char line[96];
    std::snprintf(line, sizeof line, "\n%05d %02d-%02d-%02d %02d:%02d:%02d 00 0 0 %s UTC(NIST) *\n",
        mjd, yy, month, day, hour, minute, second, advance);
    return line;
}

void LoopbackDaytimeServer::serve()
{
    std::vector<int> held;
    while (!stop_) {
        pollfd entry { fd_, POLLIN, 0 };
        if (::poll(&entry, 1, 20) <= 0)
            continue;
        const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        ++connections_;
        switch (behaviour_) {
        case Behaviour::SendAndClose:
            ::send(client, reply_.data(), reply_.size(), MSG_NOSIGNAL);
            break;
        case Behaviour::SendInTwoParts: {
            const size_t half = reply_.size() / 2;
            ::send(client, reply_.data(), half, MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            ::send(client, reply_.data() + half, reply_.size() - half, MSG_NOSIGNAL);
            break;
        }
        case Behaviour::CloseWithoutData:
            break;
        case Behaviour::NeverAnswer:
            held.push_back(client);
            continue;
        }
        ::close(client);
    }
    for (int client : held)
        ::close(client);
}

} // namespace velarin::test
