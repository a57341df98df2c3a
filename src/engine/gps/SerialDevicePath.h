#pragma once

#include <string>
#include <string_view>

namespace velarin {

// The device behind the GPS link. A path given for this run wins, then the stored "Device" path,
// then the port number: "COM<n>" is /dev/ttyS<n-1>. A port number below 1 names no device, so
// its open fails as "not found".
std::string SerialDevicePath(int port, std::string_view storedDevice, std::string_view runOverride);

} // namespace velarin
