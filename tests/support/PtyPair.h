#pragma once

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <fcntl.h>
#include <pty.h>
#include <string>
#include <string_view>
#include <termios.h>
#include <unistd.h>

namespace velarin::test {

// A pseudo-terminal standing in for a receiver: the program opens SlavePath() as its serial
// device, the test writes the receiver's bytes at the master end. The slave starts raw at
// 9600 bit/s so that nothing is translated before the program sets its own line settings; one
// slave descriptor stays open so that the line settings can be inspected.
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
        CloseMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsValid() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }

    // Writes every byte at the master end (blocking until the line discipline took them).
    bool Write(const void* data, size_t size)
    {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (ssize_t written = 0; size > 0; bytes += written, size -= size_t(written)) {
            written = ::write(master_, bytes, size);
            if (written < 0 && errno != EINTR)
                return false;
            written = std::max<ssize_t>(written, 0);
        }
        return true;
    }
    bool Write(std::string_view text) { return Write(text.data(), text.size()); }
    // The slave's current line settings, as the program left them.
    termios SlaveSettings() const
    {
        termios settings {};
        ::tcgetattr(slave_, &settings);
        return settings;
    }
    // The receiver goes away (a USB receiver unplugged): the slave hangs up.
    void CloseMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace velarin::test
