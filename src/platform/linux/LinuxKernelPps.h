#pragma once

#include "platform/PpsCapture.h"
#include "platform/SerialDevice.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace velarin {

// A kernel PPS source (RFC 2783 through /dev/ppsN) bound to a serial device. The kernel stamps
// each edge of the carrier line in its interrupt, so the time of the pulse no longer depends on
// how soon the waiting thread is scheduled. The lookup goes through sysfs each time the source
// is armed while closed, so a source attached after the port was opened is found too.
class KernelPpsCalls;

class LinuxKernelPps {
public:
    // The system's own calls and sources.
    LinuxKernelPps();
    LinuxKernelPps(KernelPpsCalls& calls, std::string ppsClassDirectory);
    ~LinuxKernelPps();
    LinuxKernelPps(const LinuxKernelPps&) = delete;
    LinuxKernelPps& operator=(const LinuxKernelPps&) = delete;

    // The serial device whose source Arm looks for (set when the device opens).
    void Attach(std::string serialDevicePath);
    std::string Arm();
    LineEventResult Wait(PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds);
    // Closes the source once no wait uses it (a wait lasts at most its time-out) and forgets the
    // serial device.
    void Detach();

private:
    void closeLocked(std::unique_lock<std::mutex>& lock);

    KernelPpsCalls& calls_;
    const std::string ppsClassDirectory_;
    std::mutex mutex_;
    std::condition_variable waiterLeft_;
    int fd_ = -1;
    bool waiting_ = false;
    std::string serialDevicePath_;
    std::string path_;
    PpsCapture seen_;
};

} // namespace velarin
