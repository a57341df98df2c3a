#include "support/ChronydServer.h"

#include "engine/nettime/SntpClient.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace velarin::test {

int FreeLoopbackUdpPort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

std::string ChronydServer::ExecutablePath()
{
    for (const char* path : { "/usr/sbin/chronyd", "/usr/bin/chronyd", "/sbin/chronyd" }) {
        if (::access(path, X_OK) == 0)
            return path;
    }
    return {};
}

ChronydServer::ChronydServer()
{
    const std::string chronyd = ExecutablePath();
    if (chronyd.empty()) {
        reason_ = "chronyd is not installed (Debian package chrony)";
        return;
    }
    char pattern[] = "/tmp/velarin-chronyd-XXXXXX";
    if (!::mkdtemp(pattern)) {
        reason_ = "cannot create a temporary folder";
        return;
    }
    dir_ = pattern;
    port_ = FreeLoopbackUdpPort();
    const std::string config = (dir_ / "chrony.conf").string();
    {
        std::ofstream out(config);
        out << "port " << port_ << "\n"
            << "bindaddress 127.0.0.1\n"
            << "allow 127.0.0.1\n"
            << "local stratum 1\n"
            << "cmdport 0\n"
            << "bindcmdaddress /\n"
            << "pidfile " << (dir_ / "chronyd.pid").string() << "\n"
            << "driftfile " << (dir_ / "drift").string() << "\n";
    }
    // -x: never touch the clock; -d: stay in the foreground so the pid is ours to end.
    std::vector<std::string> args = { chronyd, "-x", "-d", "-u", "root", "-f", config };
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string logPath = (dir_ / "chronyd.log").string();
    posix_spawn_file_actions_addopen(&actions, 1, logPath.c_str(), O_WRONLY | O_CREAT, 0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int spawned
        = ::posix_spawn(&pid_, chronyd.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        pid_ = -1;
        reason_ = "cannot start chronyd";
        return;
    }

    // Up to 5 s for the first answer.
    LinuxNetworkSockets sockets;
    SimulatedSystemClock clock;
    for (int attempt = 0; attempt < 25; ++attempt) {
        CSntpClient client(sockets, clock, nullptr, 200);
        NtpServerResponse reply;
        if (client.GetServerTime("127.0.0.1", reply, port_))
            return;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            reason_ = "chronyd ended at start (see " + logPath + ")";
            return;
        }
        ::usleep(100000);
    }
    stop();
    reason_ = "chronyd did not answer on port " + std::to_string(port_);
}

ChronydServer::~ChronydServer()
{
    stop();
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
}

void ChronydServer::stop()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    for (int i = 0; i < 50 && ::waitpid(pid_, &status, WNOHANG) == 0; ++i)
        ::usleep(20000);
    if (::waitpid(pid_, &status, WNOHANG) == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
}

} // namespace velarin::test
