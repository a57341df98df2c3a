#pragma once

#include "platform/SerialDevice.h"

#include <cstdint>

namespace velarin {

// The modem-line side of a Linux serial device (CTS/DSR changes for the 1PPS wait). Given the
// descriptor while the device is open; Detach ends every wait before the descriptor is closed.
// Not watching lines yet: every operation reports failure.
class LinuxModemLines {
public:
    void Attach(int fd);
    void Detach();

    bool SetEventMask(uint32_t mask);
    LineEventResult WaitLineEvent(int timeoutMs);
    bool GetModemStatus(uint32_t& status);
    void CancelWaits();

private:
    int fd_ = -1;
};

} // namespace velarin
