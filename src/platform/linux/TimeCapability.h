#pragma once

namespace velarin {

// The right to set the clock (CAP_SYS_TIME) of the calling thread. Linux keeps capabilities per
// thread, so raising it on the set-time worker leaves every other thread without it.
class TimeCapability {
public:
    enum class State {
        NoCapabilityModel, // the system has no capabilities: nothing to raise
        Effective, // already raised (for instance a root process)
        PermittedOnly, // may be raised (installed with cap_sys_time+p)
        Absent, // may not be raised
    };

    virtual ~TimeCapability() = default;
    virtual State Query() = 0;
    // Raises or drops the right in the effective set; false when the system refuses.
    virtual bool SetEffective(bool raised) = 0;
};

// TimeCapability through libcap.
class LibcapTimeCapability : public TimeCapability {
public:
    State Query() override;
    bool SetEffective(bool raised) override;
};

} // namespace velarin
