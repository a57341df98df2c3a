#pragma once

#include <string>

namespace velarin {

// The kernel PPS device bound to a serial device (the PPS line discipline attached to its tty):
// the /dev/ppsN whose sysfs "path" names the same tty, compared after resolving symbolic links
// such as /dev/serial/by-id/... Empty when there is none. Nothing is opened.
std::string FindKernelPpsDevice(
    const std::string& serialDevicePath, const std::string& ppsClassDirectory = "/sys/class/pps");

} // namespace velarin
