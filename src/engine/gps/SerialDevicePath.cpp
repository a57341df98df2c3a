#include "engine/gps/SerialDevicePath.h"

namespace velarin {

std::string SerialDevicePath(int port, std::string_view storedDevice, std::string_view runOverride)
{
    if (!runOverride.empty())
        return std::string(runOverride);
    if (!storedDevice.empty())
        return std::string(storedDevice);
    if (port < 1)
        return {};
    return "/dev/ttyS" + std::to_string(port - 1);
}

} // namespace velarin
