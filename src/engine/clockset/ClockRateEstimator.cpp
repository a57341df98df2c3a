#include "engine/clockset/ClockRateEstimator.h"

#include <algorithm>
#include <cmath>

namespace velarin {

namespace {

// A rate needs a span over which the reference's noise is small against it, and an interval
// shorter than noise/kSoonPpm measures the noise rather than the rate.
constexpr double kFirstEstimatePpm = 1.0;
constexpr double kSoonPpm = 25.0;
// How far a setting may stray from the fit's prediction: a few times the noise, and the rate
// change a warming or cooling PC may bring between two settings.
constexpr double kOutlierNoises = 4.0;
constexpr double kOutlierRatePpm = 0.1;
constexpr double kOutlierDriftPpmPerHour = 0.2;
// Until the fit knows the drift, any drift a PC may have is allowed for.
constexpr double kUnknownDriftPpmPerHour = 0.6;
// A parabola needs enough points that its curvature is the clock's and not the noise's.
constexpr size_t kPointsForDrift = 4;
constexpr size_t kPointsForDriftChange = 6;
// Beyond this many noises from the fit a setting loses weight fast.
constexpr double kRobustNoises = 2.0;

double exponentialWeight(double age, double memory)
{
    return std::exp(-age / memory);
}

// Solves the symmetric system a·x = b (n ≤ 3) by elimination; false when singular.
bool solve(double a[4][4], double b[4], int n, double x[4])
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
    lastIntervalSeconds_ = interval;
    // Counted from the last setting in the fit, so that frequent settings still make points.
    if (setting.trueSeconds - points_.back().trueSeconds < noise() / (kSoonPpm * 1e-6))
        return Outcome::TooSoon;

    if (before) {
        const double ahead = setting.trueSeconds - points_.back().trueSeconds;
        const double predicted = before->phase + before->rate * ahead
            + before->drift * ahead * ahead / 2.0 + before->jerk * ahead * ahead * ahead / 6.0;
        const double tolerance = kOutlierNoises * noise() + kOutlierRatePpm * 1e-6 * ahead
            + (points_.size() >= kPointsForDrift ? kOutlierDriftPpmPerHour
                                                 : kUnknownDriftPpmPerHour)
                * 1e-6 / 3600.0 * ahead * ahead / 2.0;
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
    points_.push_back({ setting.trueSeconds, phase });
    const auto stale = std::find_if(points_.begin(), points_.end(),
        [&](const Point& p) { return setting.trueSeconds - p.trueSeconds <= 8.0 * memory(); });
    points_.erase(points_.begin(), stale);
    if (points_.size() > kMaxPoints)
        points_.erase(points_.begin(), points_.end() - kMaxPoints);
    return Outcome::Used;
}

std::optional<ClockRateEstimator::Fit> ClockRateEstimator::solveFit(
    int terms, const std::vector<double>& scale) const
{
    const double last = points_.back().trueSeconds;
    // Hours and milliseconds keep the normal equations well conditioned.
    double a[4][4] = {};
    double b[4] = {};
    for (size_t k = 0; k < points_.size(); ++k) {
        const Point& p = points_[k];
        const double weight = scale[k] * exponentialWeight(last - p.trueSeconds, memory());
        const double s = (p.trueSeconds - last) / 3600.0;
        const double basis[4] = { 1.0, s, s * s / 2.0, s * s * s / 6.0 };
        for (int i = 0; i < terms; ++i) {
            for (int j = 0; j < terms; ++j)
                a[i][j] += weight * basis[i] * basis[j];
            b[i] += weight * basis[i] * p.phaseSeconds * 1000.0;
        }
    }
    double x[4] = {};
    if (!solve(a, b, terms, x))
        return std::nullopt;
    Fit result;
    result.phase = x[0] / 1000.0;
    result.rate = x[1] / 1000.0 / 3600.0;
    result.drift = x[2] / 1000.0 / (3600.0 * 3600.0);
    result.jerk = x[3] / 1000.0 / (3600.0 * 3600.0 * 3600.0);
    return result;
}

std::optional<ClockRateEstimator::Fit> ClockRateEstimator::fit() const
{
    if (points_.size() < 2)
        return std::nullopt;
    const double last = points_.back().trueSeconds;
    if (last - points_.front().trueSeconds < noise() / (kFirstEstimatePpm * 1e-6))
        return std::nullopt;
    // A warming or cooling PC bends the rate: with enough settings the fit follows its drift,
    // and from a quiet receiver even the drift's change.
    // Settings minutes apart cannot tell a drift from their noise: the span must be long too.
    const double span = last - points_.front().trueSeconds;
    int terms = 2;
    if (points_.size() >= kPointsForDrift && span >= memory())
        terms = (!network_ && points_.size() >= kPointsForDriftChange && span >= 2.0 * memory())
            ? 4
            : 3;
    std::vector<double> scale(points_.size(), 1.0);
    auto result = solveFit(terms, scale);
    if (!result)
        return std::nullopt;
    // Once more with the settings that stray far from the first fit weighed down, so that a
    // late one among them does not bend the curve.
    for (size_t k = 0; k < points_.size(); ++k) {
        const double s = points_[k].trueSeconds - last;
        const double fitted = result->phase + result->rate * s + result->drift * s * s / 2.0
            + result->jerk * s * s * s / 6.0;
        const double stray
            = std::fabs(points_[k].phaseSeconds - fitted) / (kRobustNoises * noise());
        if (stray > 1.0)
            scale[k] = 1.0 / (stray * stray * stray * stray);
    }
    if (auto robust = solveFit(terms, scale))
        result = robust;
    return result;
}

std::optional<double> ClockRateEstimator::RatePpm() const
{
    const auto f = fit();
    if (!f || !std::isfinite(f->rate))
        return std::nullopt;
    return f->rate * 1e6;
}

std::optional<double> ClockRateEstimator::CorrectionPpm() const
{
    const auto f = fit();
    if (!f)
        return std::nullopt;
    // The mean rate expected over the next interval, taken as long as the last one.
    const double interval = lastIntervalSeconds_;
    const double correction
        = -(f->rate + f->drift * interval / 2.0 + f->jerk * interval * interval / 6.0) * 1e6;
    // A degenerate fit must never reach the kernel.
    if (!std::isfinite(correction))
        return std::nullopt;
    return correction;
}

} // namespace velarin
