#include "platform/sim/SimulatedSerialDevice.h"

#include <cerrno>
#include <chrono>

namespace velarin {

int SimulatedSerialDevice::Open(const std::string& path)
{
    std::lock_guard lock(mutex_);
    lastPath_ = path;
    if (open_)
        return EBUSY;
    if (openError_ != 0)
        return openError_;
    open_ = true;
    unplugged_ = false;
    eventMask_ = 0;
    changesSinceWait_ = 0;
    ++openCount_;
    return 0;
}

bool SimulatedSerialDevice::IsOpen() const
{
    std::lock_guard lock(mutex_);
    return open_;
}

int SimulatedSerialDevice::Close()
{
    {
        std::lock_guard lock(mutex_);
        if (!open_)
            return EBADF;
        open_ = false;
        eventMask_ = 0;
        ++closeCount_;
        ++cancelGeneration_;
    }
    lineChanged_.notify_all();
    kernelPps_.Close();
    return 0;
}

bool SimulatedSerialDevice::GetLineSettings()
{
    std::lock_guard lock(mutex_);
    return open_ && !getFails_;
}

bool SimulatedSerialDevice::SetLineSettings(int baud, int parity, int dataBits, int stopBits)
{
    std::lock_guard lock(mutex_);
    if (!open_ || setFails_)
        return false;
    lastSettings_ = { baud, parity, dataBits, stopBits };
    return true;
}

long SimulatedSerialDevice::Read(uint8_t* buffer, size_t size)
{
    {
        std::lock_guard lock(mutex_);
        if (!open_)
            return 0;
        if (!unplugged_) {
            size_t count = 0;
            while (count < size && !pending_.empty()) {
                buffer[count++] = pending_.front();
                pending_.pop_front();
            }
            return static_cast<long>(count);
        }
    }
    Close();
    return -1;
}

void SimulatedSerialDevice::ClearErrors()
{
    // The simulated line keeps no error state.
}

int SimulatedSerialDevice::ReadableHandle() const
{
    return -1;
}

bool SimulatedSerialDevice::SetEventMask(uint32_t mask)
{
    std::lock_guard lock(mutex_);
    if (!open_)
        return false;
    eventMask_ = mask & (kLineEventCts | kLineEventDsr | kLineEventDcd);
    changesSinceWait_ = 0;
    return true;
}

LineEventResult SimulatedSerialDevice::WaitLineEvent(int timeoutMs)
{
    std::unique_lock lock(mutex_);
    if (!open_ || eventMask_ == 0)
        return LineEventResult::Failed;
    const unsigned generation = cancelGeneration_;
    auto ready = [&] { return changesSinceWait_ > 0 || cancelGeneration_ != generation; };
    if (timeoutMs < 0)
        lineChanged_.wait(lock, ready);
    else if (!lineChanged_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready))
        return LineEventResult::TimedOut;
    if (cancelGeneration_ != generation)
        return open_ ? LineEventResult::Cancelled : LineEventResult::Failed;
    changesSinceWait_ = 0;
    return LineEventResult::Changed;
}

bool SimulatedSerialDevice::GetModemStatus(uint32_t& status)
{
    std::lock_guard lock(mutex_);
    if (!open_)
        return false;
    status = (ctsHigh_ ? kModemStatusCtsOn : 0u) | (dsrHigh_ ? kModemStatusDsrOn : 0u)
        | (dcdHigh_ ? kModemStatusDcdOn : 0u);
    return true;
}

void SimulatedSerialDevice::CancelWaits()
{
    {
        std::lock_guard lock(mutex_);
        ++cancelGeneration_;
    }
    lineChanged_.notify_all();
}

std::string SimulatedSerialDevice::ArmKernelPps()
{
    return IsOpen() ? kernelPps_.Arm() : std::string();
}

LineEventResult SimulatedSerialDevice::WaitKernelPps(
    PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds)
{
    return kernelPps_.Wait(edge, timeoutMs, edgeUtcMicroseconds);
}

void SimulatedSerialDevice::SetOpenError(int error)
{
    std::lock_guard lock(mutex_);
    openError_ = error;
}

void SimulatedSerialDevice::SetGetLineSettingsFails(bool fail)
{
    std::lock_guard lock(mutex_);
    getFails_ = fail;
}

void SimulatedSerialDevice::SetSetLineSettingsFails(bool fail)
{
    std::lock_guard lock(mutex_);
    setFails_ = fail;
}

void SimulatedSerialDevice::Feed(const std::vector<uint8_t>& bytes)
{
    std::lock_guard lock(mutex_);
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
}

void SimulatedSerialDevice::Feed(const std::string& text)
{
    Feed(std::vector<uint8_t>(text.begin(), text.end()));
}

void SimulatedSerialDevice::Unplug()
{
    std::lock_guard lock(mutex_);
    unplugged_ = true;
}

void SimulatedSerialDevice::RaiseLineEdge(uint32_t lineMask, bool high)
{
    bool wake = false;
    bool dcdMoved = false;
    {
        std::lock_guard lock(mutex_);
        auto move = [&](uint32_t line, bool& level) {
            if ((lineMask & line) == 0 || level == high)
                return;
            level = high;
            if (open_ && (eventMask_ & line) != 0) {
                ++changesSinceWait_;
                wake = true;
            }
        };
        move(kLineEventCts, ctsHigh_);
        move(kLineEventDsr, dsrHigh_);
        const bool dcdWas = dcdHigh_;
        move(kLineEventDcd, dcdHigh_);
        dcdMoved = dcdWas != dcdHigh_;
    }
    if (wake)
        lineChanged_.notify_all();
    if (dcdMoved)
        kernelPps_.Stamp(high);
}

std::string SimulatedSerialDevice::LastOpenPath() const
{
    std::lock_guard lock(mutex_);
    return lastPath_;
}

SimulatedSerialDevice::LineSettings SimulatedSerialDevice::LastLineSettings() const
{
    std::lock_guard lock(mutex_);
    return lastSettings_;
}

int SimulatedSerialDevice::OpenCount() const
{
    std::lock_guard lock(mutex_);
    return openCount_;
}

int SimulatedSerialDevice::CloseCount() const
{
    std::lock_guard lock(mutex_);
    return closeCount_;
}

} // namespace velarin
