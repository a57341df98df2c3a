#pragma once

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <string>
#include <string_view>
#include <termios.h>
#include <unistd.h>

namespace velarin::test {

// A pseudo-terminal standing in for a receiver. The slave starts raw at 9600 bit/s, so nothing is
// translated before the program sets its line; it stays open so that the settings can be read.
class PtyPair {
public:
    PtyPair()
    {
        char name[PATH_MAX] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
            master_ = slave_ = -1;
            return;
        }
        ::fcntl(master_, F_SETFD, FD_CLOEXEC);
        ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
        slavePath_ = name;
        termios settings = SlaveSettings();
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B9600);
        ::tcsetattr(slave_, TCSANOW, &settings);
    }
    ~PtyPair()
    {
        for (int fd : { master_, slave_ })
            if (fd >= 0)
                ::close(fd);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsValid() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }

    // Writes every byte at the master end (blocking until the line discipline took them).
    bool Write(std::string_view text)
    {
        while (!text.empty()) {
            const ssize_t written = ::write(master_, text.data(), text.size());
            if (written < 0 && errno != EINTR)
                return false;
            text.remove_prefix(written > 0 ? size_t(written) : 0);
        }
        return true;
    }
    termios SlaveSettings() const
    {
        termios settings {};
        ::tcgetattr(slave_, &settings);
        return settings;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace velarin::test
