#pragma once

#include <cstdint>
#include <string>

namespace velarin {

// The rate of the PC clock: the kernel's frequency correction, which makes the clock run faster
// (positive) or slower than its oscillator. The right to change it is the right to set the
// clock, held only around the call.
class ClockFrequency {
public:
    // The kernel accepts no more than this either way.
    static constexpr double kMaxPpm = 500.0;

    struct Status {
        bool readable = false;
        double frequencyPpm = 0.0; // the correction in use now
        // Who else keeps the clock's rate ("chronyd", "the kernel's phase-locked loop"); empty
        // when nobody does.
        std::string disciplinedBy;
    };

    virtual ~ClockFrequency() = default;

    // Reads the correction and who else disciplines the clock; changes nothing.
    virtual Status QueryFrequency() = 0;
    // Sets the correction, clamped to ±kMaxPpm. True when the kernel took it.
    virtual bool SetFrequencyPpm(double ppm) = 0;
    // The clock's reading minus a count that no step moves, in microseconds: it changes only
    // when somebody steps the clock (a rate correction moves both alike).
    virtual int64_t StepGaugeMicroseconds() = 0;

    static double Clamp(double ppm)
    {
        return ppm > kMaxPpm ? kMaxPpm : (ppm < -kMaxPpm ? -kMaxPpm : ppm);
    }
};

} // namespace velarin
