#include "platform/linux/LinuxKernelPps.h"

#include "platform/PpsCapture.h"
#include "platform/linux/KernelPpsLookup.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/timepps.h>
#include <unistd.h>

namespace velarin {
namespace {

constexpr int64_t kShortestKernelWaitNs = 10000000;

int64_t microseconds(const timespec& stamp)
{
    return static_cast<int64_t>(stamp.tv_sec) * 1000000 + stamp.tv_nsec / 1000;
}

// Asks the source to stamp both edges; the polarity setting chooses between them. A source that
// refuses (no write access, fixed mode) keeps what it stamps already.
void captureBothEdges(pps_handle_t handle)
{
    int capabilities = 0;
    pps_params_t params {};
    if (time_pps_getcap(handle, &capabilities) != 0 || time_pps_getparams(handle, &params) != 0)
        return;
    params.mode |= (capabilities & PPS_CAPTUREBOTH) | PPS_TSFMT_TSPEC;
    time_pps_setparams(handle, &params);
}

} // namespace

LinuxKernelPps::LinuxKernelPps(std::string ppsClassDirectory)
    : ppsClassDirectory_(std::move(ppsClassDirectory))
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
        int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (fd < 0)
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return {};
        pps_handle_t handle = -1;
        if (time_pps_create(fd, &handle) != 0) {
            ::close(fd);
            return {};
        }
        captureBothEdges(handle);
        fd_ = handle;
        path_ = path;
    }
    pps_info_t info {};
    const timespec now {};
    if (time_pps_fetch(fd_, PPS_TSFMT_TSPEC, &info, &now) != 0) {
        closeLocked(lock);
        return {};
    }
    seen_.assertSequence = info.assert_sequence;
    seen_.clearSequence = info.clear_sequence;
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
        pps_info_t info {};
        if (time_pps_fetch(fd, PPS_TSFMT_TSPEC, &info, &timeout) != 0) {
            if (errno == ETIMEDOUT)
                break;
            if (errno == EINTR)
                continue;
            result = LineEventResult::Failed; // unplugged, or the discipline was detached
            break;
        }
        const PpsCapture now { info.assert_sequence, info.clear_sequence,
            microseconds(info.assert_timestamp), microseconds(info.clear_timestamp) };
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
        time_pps_destroy(fd_);
    fd_ = -1;
    path_.clear();
}

} // namespace velarin
