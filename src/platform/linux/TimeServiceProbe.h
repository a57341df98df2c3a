#pragma once

#include <string>

namespace velarin {

// The name of a running time service that keeps the PC clock's rate (chronyd, ntpd,
// systemd-timesyncd, phc2sys, timemaster), found by the process names under procRoot; empty
// when none runs.
std::string FindRunningTimeService(const std::string& procRoot = "/proc");

} // namespace velarin
