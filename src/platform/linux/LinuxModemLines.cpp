#include "platform/linux/LinuxModemLines.h"

namespace velarin {

void LinuxModemLines::Attach(int fd)
{
    fd_ = fd;
}

void LinuxModemLines::Detach()
{
    CancelWaits();
    fd_ = -1;
}

bool LinuxModemLines::SetEventMask(uint32_t)
{
    return false;
}

LineEventResult LinuxModemLines::WaitLineEvent(int)
{
    return LineEventResult::Failed;
}

bool LinuxModemLines::GetModemStatus(uint32_t&)
{
    return false;
}

void LinuxModemLines::CancelWaits() { }

} // namespace velarin
