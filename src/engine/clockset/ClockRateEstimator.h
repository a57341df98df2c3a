#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velarin {

// Learns the PC clock's own rate error from the settings that put it back on time. Each
// setting removes the offset that built up since the previous one under the correction then in
// use; adding back what that correction did gives the phase the clock would have reached on its
// own. A weighted least-squares fit of that phase over the recent settings (a line, or a
// parabola when the rate is seen to drift) gives the rate, and the correction for the next
// interval is the rate expected over it. One reference at a time: its noise sets how far a
// setting may stray before it is dropped as an outlier.
class ClockRateEstimator {
public:
    struct Setting {
        std::string reference; // "gps", or the protocol and server family of the network
        bool network = false; // network references are noisier than a receiver
        double trueSeconds = 0.0; // when the setting was made, on the true timescale
        double offsetRemovedSeconds = 0.0; // time set minus the clock's reading before
        double correctionPpm = 0.0; // the frequency correction in use since the previous one
        bool foreignStep = false; // somebody else stepped the clock since the previous one
    };

    enum class Outcome {
        Started, // first setting of a new series (first ever, new reference, foreign step)
        Used,
        TooSoon, // too close to the previous setting to say anything about the rate
        Outlier, // dropped: stays off the fit
    };

    Outcome Feed(const Setting& setting);
    // Forgets everything (the next setting starts a series).
    void Reset();

    // The clock's own rate error now (positive: it runs fast); nullopt while learning.
    std::optional<double> RatePpm() const;
    // The frequency correction for the interval that follows the last setting; nullopt while
    // learning.
    std::optional<double> CorrectionPpm() const;
    size_t PointCount() const { return points_.size(); }

    // Noise of one setting from each kind of reference, in seconds.
    static constexpr double kGpsNoiseSeconds = 0.0005;
    static constexpr double kNetworkNoiseSeconds = 0.010;
    // How fast the fit forgets: short enough to follow a PC warming and cooling, long enough
    // to average the reference's noise.
    static constexpr double kGpsMemorySeconds = 1.25 * 3600.0;
    static constexpr double kNetworkMemorySeconds = 6.0 * 3600.0;
    static constexpr size_t kMaxPoints = 64;

private:
    struct Point {
        double trueSeconds;
        double phaseSeconds; // the free-running clock's offset, from the first of the series
    };
    struct Fit {
        double phase = 0.0; // s at the last point
        double rate = 0.0; // s/s at the last point
        double drift = 0.0; // s/s²
        double jerk = 0.0; // s/s³
    };

    double noise() const;
    double memory() const;
    std::optional<Fit> fit() const;
    // One weighted least-squares pass; each point's weight is scaled by its entry in scale.
    std::optional<Fit> solveFit(int terms, const std::vector<double>& scale) const;
    void start(const Setting& setting);

    std::string reference_;
    bool network_ = false;
    std::vector<Point> points_;
    double lastTrueSeconds_ = 0.0;
    double lastPhaseSeconds_ = 0.0;
    double lastIntervalSeconds_ = 0.0;
    bool started_ = false;
    bool suspect_ = false; // the previous setting was an outlier
};

} // namespace velarin
