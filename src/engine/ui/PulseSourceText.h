#pragma once

#include <string>

namespace velarin {

// Where the 1PPS pulse is taken from, as the status page shows it: "kernel PPS /dev/pps0" while
// the kernel stamps the edges, else "serial line CTS", "serial line DSR" or "serial line DCD"
// after the "Line" setting ("none" for a value that names no line).
std::string PulseSourceText(const std::string& kernelPpsSource, int line);

} // namespace velarin
