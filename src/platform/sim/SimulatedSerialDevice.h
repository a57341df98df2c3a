#pragma once

#include "platform/SerialDevice.h"
#include "platform/sim/SimulatedKernelPps.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

namespace velarin {

// A serial device without hardware, for tests and the demo. Bytes are fed in, open and
// line-setting failures can be injected, and the CTS, DSR and DCD lines can be moved from any
// thread, counted like the driver counts them, and waited for. A kernel PPS source can be plugged
// in; it stamps the DCD edges.
class SimulatedSerialDevice : public SerialDevice {
public:
    struct LineSettings {
        int baud = 0;
        int parity = 0;
        int dataBits = 0;
        int stopBits = 0;
    };

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

    // Injection: the errno value of every following Open (0 = opens), failing line settings.
    void SetOpenError(int error);
    void SetGetLineSettingsFails(bool fail);
    void SetSetLineSettingsFails(bool fail);
    // Bytes the receiver sends; Read hands them out in order.
    void Feed(const std::vector<uint8_t>& bytes);
    void Feed(const std::string& text);
    // The receiver is unplugged: the next Read reports the device gone and closes it.
    void Unplug();
    // Moves the lines in mask (kLineEventCts, kLineEventDsr, kLineEventDcd) to the given level. A
    // change of a watched line is counted and wakes a waiter; a DCD change is also stamped by the
    // kernel PPS source when one is plugged in.
    void RaiseLineEdge(uint32_t lineMask, bool high);
    SimulatedKernelPps& KernelPps() { return kernelPps_; }

    // What the link did with the device.
    std::string LastOpenPath() const;
    LineSettings LastLineSettings() const;
    int OpenCount() const;
    int CloseCount() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable lineChanged_;
    bool open_ = false;
    bool unplugged_ = false;
    int openError_ = 0;
    bool getFails_ = false;
    bool setFails_ = false;
    std::deque<uint8_t> pending_;
    std::string lastPath_;
    LineSettings lastSettings_;
    int openCount_ = 0;
    int closeCount_ = 0;
    bool ctsHigh_ = false;
    bool dsrHigh_ = false;
    bool dcdHigh_ = false;
    uint32_t eventMask_ = 0;
    unsigned changesSinceWait_ = 0;
    unsigned cancelGeneration_ = 0;
    SimulatedKernelPps kernelPps_;
};

} // namespace velarin
