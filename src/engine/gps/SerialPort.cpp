#include "engine/gps/SerialPort.h"

#include "engine/gps/SerialDevicePath.h"
#include "engine/gps/SerialOpenError.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <thread>

namespace velarin {

CSerialPort::CSerialPort(SerialDevice& device, UserNotifier& notifier, std::string applicationName)
    : device_(device)
    , notifier_(notifier)
    , applicationName_(std::move(applicationName))
    , sleep_([](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); })
{
}

CSerialPort::~CSerialPort()
{
    // At program end the handle is closed without the pause of Close.
    if (device_.IsOpen())
        device_.Close();
    CloseCaptureFile();
}

void CSerialPort::SetSettingsStore(SettingsStore* store)
{
    settings_ = store;
}

void CSerialPort::SetDeviceOverride(std::string path)
{
    deviceOverride_ = std::move(path);
}

void CSerialPort::SetSleepFunction(SleepFunction sleep)
{
    sleep_ = std::move(sleep);
}

std::string CSerialPort::resolvePath(int port) const
{
    std::string stored;
    if (settings_ != nullptr)
        stored = settings_->GetProfileString(keys::kSerial, keys::kDevice, "");
    return SerialDevicePath(port, stored, deviceOverride_);
}

int CSerialPort::Open(int port, int baud, int parity, int dataBits, int stopBits)
{
    // A device still held from an open that failed half-way is let go first rather than leaked.
    if (device_.IsOpen())
        device_.Close();
    lost_ = false;

    devicePath_ = resolvePath(port);
    const int error = device_.Open(devicePath_);
    if (error != 0) {
        notifier_.ShowMessage(SerialOpenErrorText(error), applicationName_, MessageIcon::Stop);
        return -1;
    }
    portNumber_ = port;
    line_ = LineSettings { baud, parity, dataBits, stopBits };

    if (!device_.GetLineSettings()) {
        notifier_.Beep(MessageIcon::Stop);
        notifier_.ShowMessage("GetCommState", "Could not get comm state", MessageIcon::Stop);
        return -1;
    }
    if (!device_.SetLineSettings(baud, parity, dataBits, stopBits)) {
        notifier_.Beep(MessageIcon::Stop);
        notifier_.ShowMessage(
            "SetCommState", "Could not set communication state", MessageIcon::Stop);
        return -1;
    }
    device_.ClearErrors();
    return 0;
}

int CSerialPort::Close()
{
    lost_ = false;
    const int result = device_.IsOpen() ? device_.Close() : 0;
    if (sleep_)
        sleep_(std::chrono::milliseconds(1000));
    return result;
}

size_t CSerialPort::Read(uint8_t* buffer, size_t size)
{
    if (!device_.IsOpen() || size == 0)
        return 0;
    const long count = device_.Read(buffer, size);
    // A vanished device has closed itself; there is no error state left to clear.
    if (count < 0) {
        lost_ = true;
        return 0;
    }
    device_.ClearErrors();
    if (captureFile_ != nullptr && count > 0) {
        // A failed capture write is not reported; the capture goes on with the next bytes.
        std::fwrite(buffer, 1, static_cast<size_t>(count), captureFile_);
        std::fflush(captureFile_);
    }
    return static_cast<size_t>(count);
}

bool CSerialPort::IsLost() const
{
    return lost_;
}

bool CSerialPort::ReconnectIfLost()
{
    if (!lost_ || device_.IsOpen())
        return false;
    if (device_.Open(devicePath_) != 0)
        return false;
    // A device that is back but not ready for its settings yet is tried again next time.
    if (!device_.GetLineSettings()
        || !device_.SetLineSettings(line_.baud, line_.parity, line_.dataBits, line_.stopBits)) {
        device_.Close();
        return false;
    }
    device_.ClearErrors();
    lost_ = false;
    return true;
}

bool CSerialPort::OpenCaptureFile(const std::string& path)
{
    CloseCaptureFile();
    // Binary: the capture must hold exactly the bytes read, line endings included.
    captureFile_ = std::fopen(path.c_str(), "wb");
    return captureFile_ != nullptr;
}

void CSerialPort::CloseCaptureFile()
{
    if (captureFile_ != nullptr) {
        std::fclose(captureFile_);
        captureFile_ = nullptr;
    }
}

bool CSerialPort::IsCaptureOpen() const
{
    return captureFile_ != nullptr;
}

bool CSerialPort::IsOpen() const
{
    return device_.IsOpen();
}

int CSerialPort::PortNumber() const
{
    return portNumber_;
}

const std::string& CSerialPort::DevicePath() const
{
    return devicePath_;
}

SerialDevice& CSerialPort::Device()
{
    return device_;
}

} // namespace velarin
