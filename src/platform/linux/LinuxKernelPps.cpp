#include "platform/linux/LinuxKernelPps.h"

#include "platform/PpsCapture.h"
#include "platform/linux/KernelPpsCalls.h"
#include "platform/linux/KernelPpsLookup.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>

namespace velarin {
namespace {

constexpr int64_t kShortestKernelWaitNs = 10000000;

// Asks the source to stamp both edges; the polarity setting chooses between them. A source that
// refuses (no write access, fixed mode) keeps what it stamps already.
void captureBothEdges(KernelPpsCalls& calls, pps_handle_t handle)
{
    int capabilities = 0;
    pps_params_t params {};
    if (calls.GetCapabilities(handle, capabilities) != 0 || calls.GetParams(handle, params) != 0)
        return;
    params.mode |= (capabilities & PPS_CAPTUREBOTH) | PPS_TSFMT_TSPEC;
    calls.SetParams(handle, params);
}

KernelPpsCalls& systemCalls()
{
    static KernelPpsCalls calls;
    return calls;
}

} // namespace

LinuxKernelPps::LinuxKernelPps()
    : LinuxKernelPps(systemCalls(), "/sys/class/pps")
{
}

LinuxKernelPps::LinuxKernelPps(KernelPpsCalls& calls, std::string ppsClassDirectory)
    : calls_(calls)
    , ppsClassDirectory_(std::move(ppsClassDirectory))
{
}

LinuxKernelPps::~LinuxKernelPps()
{
    Detach();
}

void LinuxKernelPps::Attach(std::string serialDevicePath)
{
    std::lock_guard lock(mutex_);
    serialDevicePath_ = std::move(serialDevicePath);
}

std::string LinuxKernelPps::Arm()
{
    std::unique_lock lock(mutex_);
    if (waiting_)
        return {};
    if (fd_ < 0) {
        const std::string path = FindKernelPpsDevice(serialDevicePath_, ppsClassDirectory_);
        if (path.empty())
            return {};
        int fd = calls_.Open(path, O_RDWR);
        if (fd < 0)
            fd = calls_.Open(path, O_RDONLY);
        if (fd < 0)
            return {};
        pps_handle_t handle = -1;
        if (calls_.Create(fd, handle) != 0) {
            calls_.Close(fd);
            return {};
        }
        captureBothEdges(calls_, handle);
        fd_ = handle;
        path_ = path;
    }
    PpsCapture stamped;
    if (calls_.Fetch(fd_, {}, stamped) != 0) {
        closeLocked(lock);
        return {};
    }
    seen_ = stamped;
    return path_;
}

LineEventResult LinuxKernelPps::Wait(PpsEdge edge, int timeoutMs, int64_t& edgeUtcMicroseconds)
{
    std::unique_lock lock(mutex_);
    if (fd_ < 0 || waiting_)
        return LineEventResult::Failed;
    const int fd = fd_;
    PpsCapture seen = seen_;
    waiting_ = true;
    lock.unlock();

    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    LineEventResult result = LineEventResult::TimedOut;
    // The first fetch returns at once with the edges stamped so far; later ones sleep in the
    // kernel until the next edge of either kind.
    timespec timeout {};
    for (;;) {
        PpsCapture now;
        if (calls_.Fetch(fd, timeout, now) != 0) {
            if (errno == ETIMEDOUT)
                break;
            if (errno == EINTR)
                continue;
            result = LineEventResult::Failed; // unplugged, or the discipline was detached
            break;
        }
        if (const auto stamp = TakePpsEdge(edge, now, seen)) {
            edgeUtcMicroseconds = *stamp;
            result = LineEventResult::Changed;
            break;
        }
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            break;
        // The kernel counts the time-out in scheduler ticks and does not wait at all for less
        // than one.
        const auto nanoseconds = std::max<int64_t>(kShortestKernelWaitNs,
            std::chrono::duration_cast<std::chrono::nanoseconds>(left).count());
        timeout.tv_sec = static_cast<time_t>(nanoseconds / 1000000000);
        timeout.tv_nsec = static_cast<long>(nanoseconds % 1000000000);
    }

    lock.lock();
    seen_ = seen;
    waiting_ = false;
    waiterLeft_.notify_all();
    if (result == LineEventResult::Failed)
        closeLocked(lock);
    return result;
}

void LinuxKernelPps::Detach()
{
    std::unique_lock lock(mutex_);
    closeLocked(lock);
    serialDevicePath_.clear();
}

void LinuxKernelPps::closeLocked(std::unique_lock<std::mutex>& lock)
{
    waiterLeft_.wait(lock, [this] { return !waiting_; });
    if (fd_ >= 0)
        calls_.Destroy(fd_);
    fd_ = -1;
    path_.clear();
}

} // namespace velarin
