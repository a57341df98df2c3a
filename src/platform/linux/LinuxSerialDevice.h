#pragma once

#include "platform/SerialDevice.h"
#include "platform/linux/LinuxKernelPps.h"
#include "platform/linux/LinuxModemLines.h"

#include <atomic>

namespace velarin {

// A serial device through termios: raw bytes, no flow control, DTR and RTS on, modem lines not
// controlling the link, non-blocking reads, opened exclusively.
class LinuxSerialDevice : public SerialDevice {
public:
    LinuxSerialDevice() = default;
    ~LinuxSerialDevice() override;
    LinuxSerialDevice(const LinuxSerialDevice&) = delete;
    LinuxSerialDevice& operator=(const LinuxSerialDevice&) = delete;

    int Open(const std::string& path) override;
    bool IsOpen() const override;
    int Close() override;

    bool GetLineSettings() override;
    bool SetLineSettings(int baud, int parity, int dataBits, int stopBits) override;

    long Read(uint8_t* buffer, size_t size) override;
    void ClearErrors() override;
    int ReadableHandle() const override;

    bool SetEventMask(uint32_t mask) override;
    LineEventResult WaitLineEvent(int timeoutMs) override;
    bool GetModemStatus(uint32_t& status) override;
    void CancelWaits() override;
    std::string ArmKernelPps() override;
    LineEventResult WaitKernelPps(
        PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds) override;

    // The termios speed constant for a rate in bit/s, or 0 when the rate is not supported.
    static unsigned SpeedForBaud(int baud);

private:
    std::atomic<int> fd_ { -1 };
    LinuxModemLines modemLines_;
    LinuxKernelPps kernelPps_;
};

} // namespace velarin
