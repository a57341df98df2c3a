#pragma once

#include <string>
#include <vector>

namespace velarin {

// The serial devices present on this machine, as paths (/dev/ttyS0, /dev/ttyUSB0, ...), in the
// order of SortSerialDevicePaths. Nothing is opened: on-board ports are taken from the kernel's
// description of each tty, which lists every ttyS<n> the driver reserved; those whose UART type
// is 0 (no hardware behind them) are left out. A ttyS<n> without that description is listed.
std::vector<std::string> ListSerialDevices(const std::string& deviceDirectory = "/dev",
    const std::string& ttyClassDirectory = "/sys/class/tty");

} // namespace velarin
