#pragma once

#include "platform/PpsCapture.h"

#include <string>
#include <sys/timepps.h>

namespace velarin {

// The calls a kernel PPS source is reached through: the open of its /dev/ppsN and the RFC 2783
// interface over it. Each returns what the system call does (-1 and errno on failure). Tests
// override them to script a source, since no test may open a real one.
class KernelPpsCalls {
public:
    virtual ~KernelPpsCalls() = default;
    virtual int Open(const std::string& path, int flags);
    virtual int Close(int fd);
    virtual int Create(int fd, pps_handle_t& handle);
    virtual int Destroy(pps_handle_t handle);
    virtual int GetCapabilities(pps_handle_t handle, int& capabilities);
    virtual int GetParams(pps_handle_t handle, pps_params_t& params);
    virtual int SetParams(pps_handle_t handle, const pps_params_t& params);
    // What the source stamped so far; sleeps in the kernel up to timeout for the next edge.
    virtual int Fetch(pps_handle_t handle, const timespec& timeout, PpsCapture& stamped);
};

} // namespace velarin
