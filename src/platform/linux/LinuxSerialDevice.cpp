#include "platform/linux/LinuxSerialDevice.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace velarin {

LinuxSerialDevice::~LinuxSerialDevice()
{
    if (IsOpen())
        Close();
}

unsigned LinuxSerialDevice::SpeedForBaud(int baud)
{
    switch (baud) {
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 1800:
        return B1800;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    default:
        return 0;
    }
}

int LinuxSerialDevice::Open(const std::string& path)
{
    if (IsOpen())
        return EBUSY;
    if (path.empty())
        return ENOENT;
    // Non-blocking so that neither the open (waiting for carrier) nor any read can hang the
    // user-interface thread; no controlling terminal, so a receiver cannot signal us.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) {
        const int error = errno;
        ::close(fd);
        return error;
    }
    fd_ = fd;
    modemLines_.Attach(fd);
    kernelPps_.Attach(path);
    return 0;
}

bool LinuxSerialDevice::IsOpen() const
{
    return fd_ >= 0;
}

int LinuxSerialDevice::Close()
{
    const int fd = fd_.exchange(-1);
    if (fd < 0)
        return EBADF;
    modemLines_.Detach();
    kernelPps_.Detach();
    ::ioctl(fd, TIOCNXCL);
    return ::close(fd) == 0 ? 0 : errno;
}

bool LinuxSerialDevice::GetLineSettings()
{
    termios settings {};
    return IsOpen() && ::tcgetattr(fd_, &settings) == 0;
}

bool LinuxSerialDevice::SetLineSettings(int baud, int parity, int dataBits, int stopBits)
{
    const unsigned speed = SpeedForBaud(baud);
    termios settings {};
    if (!IsOpen() || speed == 0 || ::tcgetattr(fd_, &settings) != 0)
        return false;

    ::cfmakeraw(&settings);
    settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    switch (dataBits) {
    case 5:
        settings.c_cflag |= CS5;
        break;
    case 6:
        settings.c_cflag |= CS6;
        break;
    case 7:
        settings.c_cflag |= CS7;
        break;
    case 8:
        settings.c_cflag |= CS8;
        break;
    default:
        return false;
    }
    switch (parity) {
    case 0:
        break;
    case 1:
        settings.c_cflag |= PARENB | PARODD;
        break;
    case 2:
        settings.c_cflag |= PARENB;
        break;
    default:
        return false; // mark and space parity have no portable termios form
    }
    switch (stopBits) {
    case 0:
        break;
    case 2:
        settings.c_cflag |= CSTOPB;
        break;
    default:
        return false; // one and a half stop bits
    }
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    settings.c_cc[VMIN] = 0;
    settings.c_cc[VTIME] = 0;
    if (::cfsetispeed(&settings, speed) != 0 || ::cfsetospeed(&settings, speed) != 0)
        return false;
    if (::tcsetattr(fd_, TCSANOW, &settings) != 0)
        return false;

    // Many receivers take their power or their "host present" sign from DTR and RTS. A pseudo-
    // terminal has no modem lines, so a refusal here is no failure.
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIS, &lines);
    ::tcflush(fd_, TCIFLUSH);
    return true;
}

long LinuxSerialDevice::Read(uint8_t* buffer, size_t size)
{
    const int fd = fd_;
    if (fd < 0)
        return 0;
    pollfd entry { fd, POLLIN, 0 };
    if (::poll(&entry, 1, 0) < 0)
        return 0;
    const bool readable = (entry.revents & POLLIN) != 0;
    const bool gone = (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
    if (!readable && !gone)
        return 0;
    if (size == 0)
        return 0;
    const ssize_t count = ::read(fd, buffer, size);
    if (count > 0)
        return count;
    if (count < 0 && (errno == EAGAIN || errno == EINTR) && !gone)
        return 0;
    // End of file, EIO or ENXIO on a descriptor that said it had something: the device was
    // unplugged (or its other end closed). Closing stops the descriptor from waking us again.
    Close();
    return -1;
}

void LinuxSerialDevice::ClearErrors()
{
    // Linux keeps no sticky error state that stops reception (unlike the error flags a read
    // must clear elsewhere); overruns and framing errors only show in the counters.
}

int LinuxSerialDevice::ReadableHandle() const
{
    return fd_;
}

bool LinuxSerialDevice::SetEventMask(uint32_t mask)
{
    return modemLines_.SetEventMask(mask);
}

LineEventResult LinuxSerialDevice::WaitLineEvent(int timeoutMs)
{
    return modemLines_.WaitLineEvent(timeoutMs);
}

bool LinuxSerialDevice::GetModemStatus(uint32_t& status)
{
    return modemLines_.GetModemStatus(status);
}

void LinuxSerialDevice::CancelWaits()
{
    modemLines_.CancelWaits();
}

std::string LinuxSerialDevice::ArmKernelPps()
{
    return IsOpen() ? kernelPps_.Arm() : std::string();
}

LineEventResult LinuxSerialDevice::WaitKernelPps(
    PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds)
{
    return kernelPps_.Wait(edge, timeoutMs, edgeUtcMicroseconds);
}

} // namespace velarin
