#pragma once

#include "platform/SystemClock.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace velarin {

// A PC clock that never touches the real one. It runs at the rate of a time source (the real
// monotonic clock, or a fake one that a test moves by hand) from a settable start, and records
// every set request together with the true time at the call. Used by tests, benchmarks and
// --demo.
class SimulatedSystemClock : public SystemClock {
public:
    struct SetRequest {
        SystemTime requested;
        int64_t trueUtcMilliseconds = 0; // the true time when the request was made
        int64_t trueUtcMicroseconds = 0;
        bool accepted = false;
    };

    // Follows the real UTC time (read, never set) with no offset.
    SimulatedSystemClock();
    // Follows a caller's source of true UTC time in microseconds (a fake clock in tests).
    explicit SimulatedSystemClock(std::function<int64_t()> trueUtcMicroseconds);

    SystemTime GetUtc() override;
    SystemTime GetLocal() override;
    int64_t GetUtcMicroseconds() override;
    uint32_t GetTickCount() override;
    bool EnableSystemTimePrivilege() override;
    void DisableSystemTimePrivilege() override;
    bool SetUtc(const SystemTime& utc) override;

    // The simulated clock's reading minus true time, in microseconds.
    int64_t OffsetMicroseconds() const;
    void SetOffsetMicroseconds(int64_t offset);
    // Local time is UTC plus this many minutes.
    void SetLocalOffsetMinutes(int minutes);
    // Makes the right to set the clock unavailable (EnableSystemTimePrivilege fails).
    void SetPrivilegeAvailable(bool available);
    // Makes every set fail as if refused by the system.
    void SetRefuseSets(bool refuse);
    bool PrivilegeEnabled() const;

    std::vector<SetRequest> Requests() const;
    // Called on every set request (after it was recorded), from the caller's thread.
    void SetObserver(std::function<void(const SetRequest&)> observer);

private:
    int64_t trueNowMicroseconds() const;

    std::function<int64_t()> source_;
    mutable std::mutex mutex_;
    int64_t offsetMicroseconds_ = 0;
    int localOffsetMinutes_ = 0;
    bool privilegeAvailable_ = true;
    bool privilegeEnabled_ = false;
    bool refuseSets_ = false;
    std::vector<SetRequest> requests_;
    std::function<void(const SetRequest&)> observer_;
};

} // namespace velarin
