#include "engine/clockset/ClockRateEstimator.h"

#include <algorithm>
#include <cmath>

namespace velarin {

namespace {

// A rate needs a span over which the reference's noise is small against it, and an interval
// shorter than noise/kSoonPpm measures the noise rather than the rate.
constexpr double kFirstEstimatePpm = 2.0;
constexpr double kSoonPpm = 25.0;
// How far a setting may stray from the fit's prediction: a few times the noise, and the rate
// change a warming or cooling PC may bring between two settings.
constexpr double kOutlierNoises = 4.0;
constexpr double kOutlierRatePpm = 0.3;
// A parabola needs enough points that its curvature is the clock's and not the noise's.
constexpr size_t kPointsForDrift = 4;

double exponentialWeight(double age, double memory)
{
    return std::exp(-age / memory);
}

// Solves the symmetric system a·x = b (n ≤ 3) by elimination; false when singular.
bool solve(double a[3][3], double b[3], int n, double x[3])
{
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int row = col + 1; row < n; ++row) {
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col]))
                pivot = row;
        }
        if (std::fabs(a[pivot][col]) < 1e-12)
            return false;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (int row = col + 1; row < n; ++row) {
            const double factor = a[row][col] / a[col][col];
            for (int k = col; k < n; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    for (int row = n - 1; row >= 0; --row) {
        double sum = b[row];
        for (int k = row + 1; k < n; ++k)
            sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return true;
}

} // namespace

double ClockRateEstimator::noise() const
{
    return network_ ? kNetworkNoiseSeconds : kGpsNoiseSeconds;
}

double ClockRateEstimator::memory() const
{
    // Fewer than three settings within it would leave the fit without a drift to follow.
    return std::max(network_ ? kNetworkMemorySeconds : kGpsMemorySeconds, lastIntervalSeconds_);
}

void ClockRateEstimator::Reset()
{
    started_ = false;
    suspect_ = false;
    points_.clear();
    lastIntervalSeconds_ = 0.0;
}

void ClockRateEstimator::start(const Setting& setting)
{
    Reset();
    reference_ = setting.reference;
    network_ = setting.network;
    started_ = true;
    lastTrueSeconds_ = setting.trueSeconds;
    lastPhaseSeconds_ = 0.0;
    points_.push_back({ setting.trueSeconds, 0.0 });
}

ClockRateEstimator::Outcome ClockRateEstimator::Feed(const Setting& setting)
{
    const double interval = setting.trueSeconds - lastTrueSeconds_;
    if (!started_ || setting.reference != reference_ || setting.foreignStep || interval <= 0.0) {
        start(setting);
        return Outcome::Started;
    }
    // Before this setting the clock had drifted by minus the offset it removed, of which the
    // correction in use made correction × interval.
    const double phase = lastPhaseSeconds_ - setting.offsetRemovedSeconds
        - setting.correctionPpm * 1e-6 * interval;
    const std::optional<Fit> before = fit();
    lastTrueSeconds_ = setting.trueSeconds;
    lastPhaseSeconds_ = phase;
    if (interval < noise() / (kSoonPpm * 1e-6))
        return Outcome::TooSoon;

    if (before) {
        const double ahead = setting.trueSeconds - points_.back().trueSeconds;
        const double predicted
            = before->phase + before->rate * ahead + 0.5 * before->drift * ahead * ahead;
        const double tolerance = kOutlierNoises * noise() + kOutlierRatePpm * 1e-6 * ahead;
        if (std::fabs(phase - predicted) > tolerance) {
            // Two in a row that the rate cannot explain: the clock was stepped, or its rate
            // jumped. Either way what came before no longer holds.
            if (suspect_) {
                start(setting);
                return Outcome::Started;
            }
            suspect_ = true;
            return Outcome::Outlier;
        }
    }
    suspect_ = false;
    lastIntervalSeconds_ = interval;
    points_.push_back({ setting.trueSeconds, phase });
    const auto stale = std::find_if(points_.begin(), points_.end(),
        [&](const Point& p) { return setting.trueSeconds - p.trueSeconds <= 8.0 * memory(); });
    points_.erase(points_.begin(), stale);
    if (points_.size() > kMaxPoints)
        points_.erase(points_.begin(), points_.end() - kMaxPoints);
    return Outcome::Used;
}

std::optional<ClockRateEstimator::Fit> ClockRateEstimator::fit() const
{
    if (points_.size() < 2)
        return std::nullopt;
    const double last = points_.back().trueSeconds;
    if (last - points_.front().trueSeconds < noise() / (kFirstEstimatePpm * 1e-6))
        return std::nullopt;
    const int terms = points_.size() >= kPointsForDrift ? 3 : 2;
    // Hours and milliseconds keep the normal equations well conditioned.
    double a[3][3] = {};
    double b[3] = {};
    for (const Point& p : points_) {
        const double weight = exponentialWeight(last - p.trueSeconds, memory());
        const double s = (p.trueSeconds - last) / 3600.0;
        const double basis[3] = { 1.0, s, 0.5 * s * s };
        for (int i = 0; i < terms; ++i) {
            for (int j = 0; j < terms; ++j)
                a[i][j] += weight * basis[i] * basis[j];
            b[i] += weight * basis[i] * p.phaseSeconds * 1000.0;
        }
    }
    double x[3] = {};
    if (!solve(a, b, terms, x))
        return std::nullopt;
    Fit result;
    result.phase = x[0] / 1000.0;
    result.rate = x[1] / 1000.0 / 3600.0;
    result.drift = terms == 3 ? x[2] / 1000.0 / (3600.0 * 3600.0) : 0.0;
    return result;
}

std::optional<double> ClockRateEstimator::RatePpm() const
{
    const auto f = fit();
    if (!f)
        return std::nullopt;
    return f->rate * 1e6;
}

std::optional<double> ClockRateEstimator::CorrectionPpm() const
{
    const auto f = fit();
    if (!f)
        return std::nullopt;
    // The rate expected half-way through the next interval, taken as long as the last one.
    return -(f->rate + f->drift * 0.5 * lastIntervalSeconds_) * 1e6;
}

} // namespace velarin
