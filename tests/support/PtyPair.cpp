#include "support/PtyPair.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

namespace velarin::test {

PtyPair::PtyPair()
{
    char name[PATH_MAX] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    slavePath_ = name;
    termios settings {};
    ::tcgetattr(slave_, &settings);
    ::cfmakeraw(&settings);
    ::cfsetspeed(&settings, B9600);
    ::tcsetattr(slave_, TCSANOW, &settings);
}

PtyPair::~PtyPair()
{
    CloseMaster();
    if (slave_ >= 0)
        ::close(slave_);
}

bool PtyPair::Write(const void* data, size_t size)
{
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (ssize_t written = 0; size > 0; bytes += written, size -= static_cast<size_t>(written)) {
        written = ::write(master_, bytes, size);
        if (written < 0 && errno != EINTR)
            return false;
        written = std::max<ssize_t>(written, 0);
    }
    return true;
}

bool PtyPair::Write(std::string_view text)
{
    return Write(text.data(), text.size());
}

termios PtyPair::SlaveSettings() const
{
    termios settings {};
    ::tcgetattr(slave_, &settings);
    return settings;
}

void PtyPair::CloseMaster()
{
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

} // namespace velarin::test
