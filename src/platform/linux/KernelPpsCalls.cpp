#include "platform/linux/KernelPpsCalls.h"

#include <fcntl.h>
#include <unistd.h>

namespace velarin {
namespace {

int64_t microseconds(const timespec& stamp)
{
    return static_cast<int64_t>(stamp.tv_sec) * 1000000 + stamp.tv_nsec / 1000;
}

} // namespace

int KernelPpsCalls::Open(const std::string& path, int flags)
{
    return ::open(path.c_str(), flags | O_CLOEXEC);
}

int KernelPpsCalls::Close(int fd)
{
    return ::close(fd);
}

int KernelPpsCalls::Create(int fd, pps_handle_t& handle)
{
    return time_pps_create(fd, &handle);
}

int KernelPpsCalls::Destroy(pps_handle_t handle)
{
    return time_pps_destroy(handle);
}

int KernelPpsCalls::GetCapabilities(pps_handle_t handle, int& capabilities)
{
    return time_pps_getcap(handle, &capabilities);
}

int KernelPpsCalls::GetParams(pps_handle_t handle, pps_params_t& params)
{
    return time_pps_getparams(handle, &params);
}

int KernelPpsCalls::SetParams(pps_handle_t handle, const pps_params_t& params)
{
    return time_pps_setparams(handle, &params);
}

int KernelPpsCalls::Fetch(pps_handle_t handle, const timespec& timeout, PpsCapture& stamped)
{
    pps_info_t info {};
    const int result = time_pps_fetch(handle, PPS_TSFMT_TSPEC, &info, &timeout);
    stamped = { info.assert_sequence, info.clear_sequence, microseconds(info.assert_timestamp),
        microseconds(info.clear_timestamp) };
    return result;
}

} // namespace velarin
