#include "platform/linux/LinuxNetworkSockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace velarin {

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kSliceMs = 20;

class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd)
    {
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

struct Address {
    sockaddr_storage storage {};
    socklen_t length = 0;
    int family = AF_UNSPEC;
};

bool cancelled(const std::atomic<bool>* cancel)
{
    return cancel && cancel->load();
}

Clock::time_point deadlineAfter(int milliseconds)
{
    return Clock::now() + std::chrono::milliseconds(milliseconds < 0 ? 0 : milliseconds);
}

bool literalAddress(const std::string& host, int port, Address& out)
{
    sockaddr_in v4 {};
    if (::inet_pton(AF_INET, host.c_str(), &v4.sin_addr) == 1) {
        v4.sin_family = AF_INET;
        v4.sin_port = htons(static_cast<uint16_t>(port));
        std::memcpy(&out.storage, &v4, sizeof v4);
        out.length = sizeof v4;
        out.family = AF_INET;
        return true;
    }
    sockaddr_in6 v6 {};
    if (::inet_pton(AF_INET6, host.c_str(), &v6.sin6_addr) == 1) {
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(static_cast<uint16_t>(port));
        std::memcpy(&out.storage, &v6, sizeof v6);
        out.length = sizeof v6;
        out.family = AF_INET6;
        return true;
    }
    return false;
}

// The state a resolver thread shares with its caller; whichever lets go last frees it.
struct Lookup {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int code = 0;
    Address address;
};

NetworkStatus resolve(const std::string& host, int port, int socketType, Clock::time_point deadline,
    const std::atomic<bool>* cancel, Address& out, int& error)
{
    if (port < 0 || port > 65535)
        return NetworkStatus::ResolveFailed;
    if (literalAddress(host, port, out))
        return NetworkStatus::Ok;
    if (host.empty())
        return NetworkStatus::ResolveFailed;

    auto lookup = std::make_shared<Lookup>();
    std::thread([lookup, host, port, socketType] {
        addrinfo hints {};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = socketType;
        hints.ai_flags = AI_ADDRCONFIG | AI_NUMERICSERV;
        addrinfo* found = nullptr;
        const int code = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found);
        std::lock_guard lock(lookup->mutex);
        lookup->code = code;
        if (code == 0 && found && found->ai_addrlen <= sizeof(sockaddr_storage)) {
            std::memcpy(&lookup->address.storage, found->ai_addr, found->ai_addrlen);
            lookup->address.length = found->ai_addrlen;
            lookup->address.family = found->ai_family;
        } else if (code == 0) {
            lookup->code = EAI_FAIL;
        }
        if (found)
            ::freeaddrinfo(found);
        lookup->finished = true;
        lookup->done.notify_all();
    }).detach();

    std::unique_lock lock(lookup->mutex);
    while (!lookup->finished) {
        if (cancelled(cancel))
            return NetworkStatus::Cancelled;
        if (Clock::now() >= deadline)
            return NetworkStatus::TimedOut;
        lookup->done.wait_for(lock, std::chrono::milliseconds(kSliceMs));
    }
    if (lookup->code != 0) {
        error = lookup->code;
        return NetworkStatus::ResolveFailed;
    }
    out = lookup->address;
    return NetworkStatus::Ok;
}

// Waits for the events on fd in short slices; Ok when they came.
NetworkStatus waitFor(
    int fd, short events, Clock::time_point deadline, const std::atomic<bool>* cancel, int& error)
{
    for (;;) {
        if (cancelled(cancel))
            return NetworkStatus::Cancelled;
        const auto left
            = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now())
                  .count();
        if (left <= 0)
            return NetworkStatus::TimedOut;
        pollfd entry { fd, events, 0 };
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long>(left, kSliceMs)));
        if (ready > 0)
            return NetworkStatus::Ok;
        if (ready < 0 && errno != EINTR) {
            error = errno;
            return NetworkStatus::ReceiveFailed;
        }
    }
}

NetworkReply failure(NetworkStatus status, int error = 0)
{
    NetworkReply reply;
    reply.status = status;
    reply.systemError = error;
    return reply;
}

bool lineComplete(const std::vector<uint8_t>& bytes)
{
    bool text = false;
    for (uint8_t byte : bytes) {
        if (byte == '\n' && text)
            return true;
        if (byte != '\n' && byte != '\r')
            text = true;
    }
    return false;
}

} // namespace

NetworkReply LinuxNetworkSockets::ExchangeDatagram(
    const DatagramExchange& exchange, const std::atomic<bool>* cancel)
{
    int error = 0;
    Address address;
    const NetworkStatus resolved = resolve(exchange.host, exchange.port, SOCK_DGRAM,
        deadlineAfter(exchange.timeoutMs), cancel, address, error);
    if (resolved != NetworkStatus::Ok)
        return failure(resolved, error);

    Descriptor socket(::socket(address.family, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0)
        return failure(NetworkStatus::SocketFailed, errno);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address.storage), address.length)
        != 0)
        return failure(NetworkStatus::ConnectFailed, errno);

    const std::vector<uint8_t> request
        = exchange.buildRequest ? exchange.buildRequest() : std::vector<uint8_t> {};
    if (::send(socket.get(), request.data(), request.size(), MSG_NOSIGNAL)
        != static_cast<ssize_t>(request.size()))
        return failure(NetworkStatus::SendFailed, errno);

    const NetworkStatus ready
        = waitFor(socket.get(), POLLIN, deadlineAfter(exchange.timeoutMs), cancel, error);
    if (ready != NetworkStatus::Ok)
        return failure(ready, ready == NetworkStatus::TimedOut ? ETIMEDOUT : error);
    if (exchange.onReadable)
        exchange.onReadable();

    NetworkReply reply;
    reply.bytes.resize(exchange.maxReplySize);
    const ssize_t received = ::recv(socket.get(), reply.bytes.data(), reply.bytes.size(), 0);
    if (received < 0)
        return failure(NetworkStatus::ReceiveFailed, errno);
    reply.bytes.resize(static_cast<size_t>(received));
    return reply;
}

NetworkReply LinuxNetworkSockets::ReceiveStreamLine(const std::string& host, int port,
    size_t maxBytes, int connectTimeoutMs, int receiveTimeoutMs, const std::atomic<bool>* cancel)
{
    int error = 0;
    Address address;
    const auto connectDeadline = deadlineAfter(connectTimeoutMs);
    const NetworkStatus resolved
        = resolve(host, port, SOCK_STREAM, connectDeadline, cancel, address, error);
    if (resolved != NetworkStatus::Ok)
        return failure(
            resolved == NetworkStatus::TimedOut ? NetworkStatus::ConnectFailed : resolved, error);

    Descriptor socket(::socket(address.family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0)
        return failure(NetworkStatus::SocketFailed, errno);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address.storage), address.length)
        != 0) {
        if (errno != EINPROGRESS)
            return failure(NetworkStatus::ConnectFailed, errno);
        const NetworkStatus connected
            = waitFor(socket.get(), POLLOUT, connectDeadline, cancel, error);
        if (connected == NetworkStatus::Cancelled)
            return failure(connected);
        if (connected != NetworkStatus::Ok)
            return failure(NetworkStatus::ConnectFailed,
                connected == NetworkStatus::TimedOut ? ETIMEDOUT : error);
        int socketError = 0;
        socklen_t length = sizeof socketError;
        if (::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &socketError, &length) != 0
            || socketError != 0)
            return failure(NetworkStatus::ConnectFailed, socketError ? socketError : errno);
    }

    NetworkReply reply;
    const auto receiveDeadline = deadlineAfter(receiveTimeoutMs);
    uint8_t chunk[256];
    while (reply.bytes.size() < maxBytes && !lineComplete(reply.bytes)) {
        const NetworkStatus ready = waitFor(socket.get(), POLLIN, receiveDeadline, cancel, error);
        if (ready == NetworkStatus::TimedOut && !reply.bytes.empty())
            break; // a partial line is still a reply
        if (ready != NetworkStatus::Ok)
            return failure(ready, ready == NetworkStatus::TimedOut ? ETIMEDOUT : error);
        const size_t want = std::min(sizeof chunk, maxBytes - reply.bytes.size());
        const ssize_t received = ::recv(socket.get(), chunk, want, 0);
        if (received < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            if (!reply.bytes.empty())
                break;
            return failure(NetworkStatus::ReceiveFailed, errno);
        }
        if (received == 0) {
            if (reply.bytes.empty())
                return failure(NetworkStatus::Closed);
            break;
        }
        reply.bytes.insert(reply.bytes.end(), chunk, chunk + received);
    }
    return reply;
}

} // namespace velarin
