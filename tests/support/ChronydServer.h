#pragma once

#include <filesystem>
#include <string>
#include <sys/types.h>

namespace velarin::test {

// chronyd run as a local stratum-1 server on 127.0.0.1 at a free high port, with -x so it never
// touches the clock, its configuration and files in a temporary folder. Available() is false
// (with Reason() saying why) when chronyd is not installed or does not come up.
class ChronydServer {
public:
    ChronydServer();
    ~ChronydServer();
    ChronydServer(const ChronydServer&) = delete;
    ChronydServer& operator=(const ChronydServer&) = delete;

    bool Available() const { return pid_ > 0; }
    const std::string& Reason() const { return reason_; }
    int Port() const { return port_; }

    static std::string ExecutablePath();

private:
    void stop();

    std::filesystem::path dir_;
    std::string reason_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// A UDP port on 127.0.0.1 that was free a moment ago.
int FreeLoopbackUdpPort();

} // namespace velarin::test
