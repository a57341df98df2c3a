#include "platform/linux/TimeCapability.h"

#include <cerrno>
#include <sys/capability.h>

namespace velarin {

TimeCapability::State LibcapTimeCapability::Query()
{
    if (!CAP_IS_SUPPORTED(CAP_SYS_TIME))
        return State::NoCapabilityModel;
    cap_t caps = cap_get_proc();
    if (!caps)
        return (errno == ENOSYS || errno == EINVAL) ? State::NoCapabilityModel : State::Absent;
    cap_flag_value_t effective = CAP_CLEAR;
    cap_flag_value_t permitted = CAP_CLEAR;
    const bool read = cap_get_flag(caps, CAP_SYS_TIME, CAP_EFFECTIVE, &effective) == 0
        && cap_get_flag(caps, CAP_SYS_TIME, CAP_PERMITTED, &permitted) == 0;
    cap_free(caps);
    if (!read)
        return State::Absent;
    if (effective == CAP_SET)
        return State::Effective;
    return permitted == CAP_SET ? State::PermittedOnly : State::Absent;
}

bool LibcapTimeCapability::SetEffective(bool raised)
{
    cap_t caps = cap_get_proc();
    if (!caps)
        return false;
    const cap_value_t value = CAP_SYS_TIME;
    bool ok = cap_set_flag(caps, CAP_EFFECTIVE, 1, &value, raised ? CAP_SET : CAP_CLEAR) == 0
        && cap_set_proc(caps) == 0;
    cap_free(caps);
    return ok;
}

} // namespace velarin
