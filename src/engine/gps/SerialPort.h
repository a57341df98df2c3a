#pragma once

#include "platform/SerialDevice.h"
#include "platform/UserNotifier.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

namespace velarin {

class SettingsStore;

// The one link to the GPS receiver: opened by port number, configured for the receiver's speed,
// read without blocking, never written. Every byte read can be copied into a capture file.
// Open, Close and Read run on the user-interface thread; the 1PPS wait uses Device() meanwhile.
class CSerialPort {
public:
    using SleepFunction = std::function<void(std::chrono::milliseconds)>;

    CSerialPort(SerialDevice& device, UserNotifier& notifier, std::string applicationName);
    ~CSerialPort();
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Where the device path comes from: the stored "Device" key (when a store is given) and a
    // path given for this run only, which wins over both "Device" and the port number.
    void SetSettingsStore(SettingsStore* store);
    void SetDeviceOverride(std::string path);
    // The pause after Close; tests replace it so that they are not slowed down.
    void SetSleepFunction(SleepFunction sleep);

    // 0 when open and configured; -1 when it failed (the user has been told).
    int Open(int port, int baud, int parity, int dataBits, int stopBits);
    // Closes the device, marks the link closed, then waits one second (a receiver re-opened at
    // once may still be draining). The device's close result: 0 on success.
    int Close();
    // Bytes waiting, at once: 0 when none, when closed, or when the device has gone away (the
    // link is then closed and marked lost, so that ReconnectIfLost can bring it back).
    size_t Read(uint8_t* buffer, size_t size);
    // A link that was open and whose device went away (a USB receiver unplugged): true until it
    // is opened again, by ReconnectIfLost or by Open, or closed on purpose.
    bool IsLost() const;
    // One quiet attempt to open a lost link again with the path and line settings of its last
    // Open (a by-id link that comes back leads to the receiver again, whatever its new name).
    // Nothing is shown when the device is still away. True when the link is open again.
    bool ReconnectIfLost();

    bool OpenCaptureFile(const std::string& path);
    void CloseCaptureFile();
    bool IsCaptureOpen() const;

    bool IsOpen() const;
    // The port number of the last open whose device could be opened (0 before any).
    int PortNumber() const;
    // The path used by the last Open.
    const std::string& DevicePath() const;
    // The open device, for the modem-line waits of the 1PPS detection.
    SerialDevice& Device();

private:
    std::string resolvePath(int port) const;

    SerialDevice& device_;
    UserNotifier& notifier_;
    std::string applicationName_;
    SettingsStore* settings_ = nullptr;
    std::string deviceOverride_;
    SleepFunction sleep_;
    int portNumber_ = 0;
    std::string devicePath_;
    struct LineSettings {
        int baud = 0;
        int parity = 0;
        int dataBits = 8;
        int stopBits = 0;
    } line_;
    bool lost_ = false;
    std::FILE* captureFile_ = nullptr;
};

} // namespace velarin
