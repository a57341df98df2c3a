#include "engine/clockset/RateCorrectingClock.h"

#include "base/Calendar.h"
#include "engine/settings/SettingsKeys.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace velarin {

namespace {

// The step gauge moves by a microsecond or two between two reads; anything beyond this
// between two settings was a step of somebody else's.
constexpr int64_t kForeignStepMicroseconds = 1000;
// The kernel keeps the frequency in units of 2^-16 ppm: a difference beyond this is a change.
constexpr double kSameFrequencyPpm = 0.001;

std::string formatted(const char* format, double first, double second = 0.0)
{
    char text[128];
    std::snprintf(text, sizeof text, format, first, second);
    return text;
}

} // namespace

RateCorrectingClock::RateCorrectingClock(
    SystemClock& clock, SettingsStore& settings, AppState& app, SystemLog& log, Notice notice)
    : clock_(clock)
    , settings_(settings)
    , app_(app)
    , log_(log)
    , notice_(notice ? std::move(notice) : [](std::string_view text) {
        std::fprintf(stderr, "velarin: %.*s\n", static_cast<int>(text.size()), text.data());
    })
{
}

std::string RateCorrectingClock::ServerFamily(const std::string& server)
{
    std::string name = server;
    std::transform(name.begin(), name.end(), name.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    while (!name.empty() && name.back() == '.')
        name.pop_back();
    // An address is its own family; a name belongs to its domain (0.pool.ntp.org and
    // 1.pool.ntp.org, time-a.nist.gov and time-b.nist.gov).
    const bool address = name.find(':') != std::string::npos
        || std::all_of(
            name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c) || c == '.'; });
    if (address)
        return name;
    const size_t last = name.rfind('.');
    if (last == std::string::npos || last == 0)
        return name;
    const size_t secondLast = name.rfind('.', last - 1);
    return secondLast == std::string::npos ? name : name.substr(secondLast + 1);
}

std::string RateCorrectingClock::CurrentReference() const
{
    if (app_.useNetworkTime.load() != 1)
        return "gps";
    const bool sntp
        = settings_.GetProfileInt(keys::kSettings, keys::kUseSNTP, keys::kUseSNTPDefault) == 1;
    return (sntp ? "sntp:" : "daytime:") + ServerFamily(app_.CurrentTimeServer());
}

bool RateCorrectingClock::SetUtc(const SystemTime& utc)
{
    note_.clear();
    ClockFrequency* frequency = clock_.Frequency();
    const int64_t gaugeBefore = frequency ? frequency->StepGaugeMicroseconds() : 0;
    // Read as close to the set as can be: the difference is the offset the setting removes.
    const int64_t reading = clock_.GetUtcMicroseconds();
    if (!clock_.SetUtc(utc))
        return false;
    const int64_t target = *ToUnixMilliseconds(utc) * 1000; // valid, or the set had failed
    if (!frequency) {
        note_ = formatted("offset removed %+.3f ms", static_cast<double>(target - reading) / 1e3);
        publish(AppState::ClockRateState::Unavailable);
        return true;
    }
    afterSetting(target, reading, gaugeBefore, *frequency);
    return true;
}

void RateCorrectingClock::afterSetting(int64_t targetMicroseconds, int64_t readingMicroseconds,
    int64_t gaugeBefore, ClockFrequency& frequency)
{
    const int64_t gaugeAfter = frequency.StepGaugeMicroseconds();
    const bool foreignStep
        = haveGauge_ && std::llabs(gaugeBefore - gaugeAfterLast_) > kForeignStepMicroseconds;
    haveGauge_ = true;
    gaugeAfterLast_ = gaugeAfter;

    const double offsetRemoved
        = static_cast<double>(targetMicroseconds - readingMicroseconds) / 1e6;
    const ClockFrequency::Status status = frequency.QueryFrequency();
    note_ = formatted("offset removed %+.3f ms, rate correction %+.3f ppm", offsetRemoved * 1e3,
        status.frequencyPpm);
    if (!status.readable) {
        note_ = formatted("offset removed %+.3f ms", offsetRemoved * 1e3);
        publish(AppState::ClockRateState::Unavailable);
        return;
    }
    if (!status.disciplinedBy.empty()) {
        leaveToOtherService(status.disciplinedBy);
        return;
    }
    // A rate other than the one left at the last setting was changed by somebody else during
    // the interval: what was measured over it mixes two rates.
    const bool rateTouched
        = changedByUs_ && std::fabs(status.frequencyPpm - appliedPpm_) > kSameFrequencyPpm;
    ClockRateEstimator::Setting setting;
    setting.reference = CurrentReference();
    setting.network = app_.useNetworkTime.load() == 1;
    setting.trueSeconds = static_cast<double>(targetMicroseconds) / 1e6;
    setting.offsetRemovedSeconds = offsetRemoved;
    setting.correctionPpm = status.frequencyPpm;
    setting.foreignStep = foreignStep || rateTouched;
    estimator_.Feed(setting);
    if (rateTouched)
        changedByUs_ = false; // whoever changed it owns that value now

    const bool enabled = settings_.GetProfileInt(
                             keys::kSettings, keys::kRateCorrection, keys::kRateCorrectionDefault)
        == 1;
    if (!changedByUs_)
        baselinePpm_ = status.frequencyPpm;
    note_ += applyCorrection(frequency, enabled);
    publish(estimator_.RatePpm() ? AppState::ClockRateState::Measured
                                 : AppState::ClockRateState::Learning);
}

std::string RateCorrectingClock::applyCorrection(ClockFrequency& frequency, bool enabled)
{
    if (!enabled) {
        // Switched off: the clock gets back the rate it had before.
        if (changedByUs_ && frequency.SetFrequencyPpm(baselinePpm_)) {
            changedByUs_ = false;
            return formatted(", back to %+.3f ppm", baselinePpm_);
        }
        return {};
    }
    const auto correction = estimator_.CorrectionPpm();
    if (!correction)
        return {};
    const double next = ClockFrequency::Clamp(*correction);
    if (!frequency.SetFrequencyPpm(next))
        return ", the rate correction was refused";
    changedByUs_ = true;
    appliedPpm_ = next;
    return formatted(", next %+.3f ppm", next);
}

void RateCorrectingClock::leaveToOtherService(const std::string& service)
{
    estimator_.Reset();
    changedByUs_ = false;
    publish(AppState::ClockRateState::OtherService);
    if (toldAboutOtherService_)
        return;
    toldAboutOtherService_ = true;
    const std::string text = "Rate correction left alone: " + service + " keeps the clock's rate";
    log_.WriteSystemLog(text);
    notice_(text);
}

void RateCorrectingClock::publish(AppState::ClockRateState state)
{
    const auto rate = estimator_.RatePpm();
    app_.clockRatePpm = rate && state == AppState::ClockRateState::Measured
        ? *rate
        : std::numeric_limits<double>::quiet_NaN();
    app_.clockRateState = state;
}

} // namespace velarin
