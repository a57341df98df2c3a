#include "engine/ui/PulseSourceText.h"

#include "platform/SerialDevice.h"

namespace velarin {

std::string PulseSourceText(const std::string& kernelPpsSource, int line)
{
    if (!kernelPpsSource.empty())
        return "kernel PPS " + kernelPpsSource;
    switch (line) {
    case static_cast<int>(kLineEventCts):
        return "serial line CTS";
    case static_cast<int>(kLineEventDsr):
        return "serial line DSR";
    case static_cast<int>(kLineEventDcd):
        return "serial line DCD";
    default:
        return "none";
    }
}

} // namespace velarin
