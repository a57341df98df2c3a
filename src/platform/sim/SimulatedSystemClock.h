#pragma once

#include "platform/SystemClock.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace velarin {

// A PC clock that never touches the real one. It runs at the rate of a time source (the real
// monotonic clock, or a fake one that a test moves by hand) from a settable start, off by a
// rate error with an optional slow wander, and honours a frequency correction. It records every
// set request together with the true time at the call. Used by tests, benchmarks and --demo.
class SimulatedSystemClock : public SystemClock, public ClockFrequency {
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
    ClockFrequency* Frequency() override { return this; }

    Status QueryFrequency() override;
    bool SetFrequencyPpm(double ppm) override;
    // The sum of every step made, by a set or by SetOffsetMicroseconds.
    int64_t StepGaugeMicroseconds() override;

    // The simulated clock's reading minus true time, in microseconds.
    int64_t OffsetMicroseconds() const;
    // Steps the clock, as someone else setting it would.
    void SetOffsetMicroseconds(int64_t offset);
    // The oscillator runs fast by ratePpm, plus wanderPpm times a sine of the true time with
    // the given period (a day's warming and cooling).
    void SetRateError(double ratePpm, double wanderPpm = 0.0, double wanderPeriodSeconds = 86400.0);
    // Another time service that keeps the rate (empty: none), as QueryFrequency reports it.
    void SetDisciplinedBy(std::string service);
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
    // The offset at a true time; callers hold the lock.
    double offsetAt(int64_t trueMicroseconds) const;
    // Restarts the rate's integration from the offset given at that true time.
    void anchorAt(int64_t trueMicroseconds, double offset);
    int64_t readingAt(int64_t trueMicroseconds) const;

    std::function<int64_t()> source_;
    mutable std::mutex mutex_;
    // The offset at the anchor; the rate carries it on from there.
    double anchorOffsetMicroseconds_ = 0.0;
    int64_t anchorTrueMicroseconds_ = 0;
    double ratePpm_ = 0.0;
    double wanderPpm_ = 0.0;
    double wanderPeriodSeconds_ = 86400.0;
    double frequencyPpm_ = 0.0;
    double stepsMicroseconds_ = 0.0;
    std::string disciplinedBy_;
    int localOffsetMinutes_ = 0;
    bool privilegeAvailable_ = true;
    bool privilegeEnabled_ = false;
    bool refuseSets_ = false;
    std::vector<SetRequest> requests_;
    std::function<void(const SetRequest&)> observer_;
};

} // namespace velarin
