#include "engine/clockset/ClockRateEstimator.h"
#include "base/Calendar.h"
#include "engine/clockset/RateCorrectingClock.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

using namespace velarin;

namespace {

// A clock that runs rate(t) ppm fast, set every interval from a reference with the given
// errors, with the estimator's own correction applied between settings, as the program does.
struct Series {
    ClockRateEstimator estimator;
    double t = 0.0;
    double offset = 0.0; // clock - true, seconds
    double correction = 0.0;
    ClockRateEstimator::Outcome Set(
        double interval, double ratePpm, double error = 0.0, const char* reference = "gps")
    {
        t += interval;
        offset += (ratePpm + correction) * 1e-6 * interval;
        const auto outcome
            = estimator.Feed({ reference, false, t, error - offset, correction, false });
        offset = error;
        if (const auto next = estimator.CorrectionPpm())
            correction = *next;
        return outcome;
    }
};

using Outcome = ClockRateEstimator::Outcome;

} // namespace

TEST(ClockRateEstimator, LearnsASteadyRateAndFollowsAWander)
{
    Series steady;
    for (int k = 0; k < 6; ++k)
        steady.Set(3600, 37.0, k % 2 ? 30e-6 : -30e-6);
    EXPECT_NEAR(*steady.estimator.RatePpm(), 37.0, 0.05);
    EXPECT_NEAR(steady.correction, -37.0, 0.05);

    Series wander; // ±2 ppm over a day
    const auto rate = [](double t) { return 37.0 + 2.0 * std::sin(2 * M_PI * t / 86400); };
    double worst = 0.0;
    for (int k = 0; k < 24 * 6; ++k) {
        wander.Set(600, rate(wander.t + 300));
        if (k > 18)
            worst = std::max(worst, std::fabs(wander.correction + rate(wander.t + 300)));
    }
    EXPECT_LT(worst, 0.15) << "the correction follows the rate within 0.15 ppm";
}

TEST(ClockRateEstimator, DropsAnOutlierAndStartsOverWhenTheRulesSay)
{
    Series s;
    EXPECT_EQ(s.Set(0.001, 20.0), Outcome::Started);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(s.Set(3600, 20.0), Outcome::Used);
    const double learnt = *s.estimator.RatePpm();

    EXPECT_EQ(s.Set(3600, 20.0, 0.020), Outcome::Outlier) << "a setting 20 ms off";
    EXPECT_NEAR(*s.estimator.RatePpm(), learnt, 1e-9);
    EXPECT_EQ(s.Set(3600, 20.0), Outcome::Used);

    EXPECT_EQ(s.Set(5, 20.0, 0.0008), Outcome::TooSoon) << "five seconds say nothing of a rate";
    EXPECT_NEAR(*s.estimator.RatePpm(), learnt, 0.01);

    EXPECT_EQ(s.Set(3600, 20.0, 0.0, "sntp:ntp.org"), Outcome::Started) << "new reference";
    EXPECT_FALSE(s.estimator.RatePpm()) << "learning again";
    EXPECT_EQ(s.Set(3600, 20.0, 0.0, "sntp:ntp.org"), Outcome::Used);

    // Somebody steps the clock by 50 ms: two settings in a row disagree, and a series starts.
    Series stepped = s;
    stepped.offset += 0.050;
    EXPECT_EQ(stepped.Set(3600, 20.0, 0.0, "sntp:ntp.org"), Outcome::Outlier);
    EXPECT_EQ(stepped.Set(3600, 20.0, 0.0, "sntp:ntp.org"), Outcome::Started);
    s.t += 3600;
    EXPECT_EQ(
        s.estimator.Feed({ "sntp:ntp.org", true, s.t, 0.0, s.correction, true }), Outcome::Started)
        << "a step the platform saw starts a series at once";
}

namespace {

// A clock running 37 ppm fast, set to true time every hour through the rate correction.
struct Corrected {
    int64_t now = 1767225600LL * 1000000;
    SimulatedSystemClock clock { [this] { return now; } };
    MemorySettingsStore settings;
    AppState state;
    SystemLog log { clock };
    std::vector<std::string> notices;
    RateCorrectingClock setting { clock, settings, state, log,
        [this](std::string_view text) { notices.emplace_back(text); } };

    Corrected() { clock.SetRateError(37.0); }
    void SetEveryHour(int times)
    {
        for (int k = 0; k < times; ++k) {
            now += 3600LL * 1000000;
            ASSERT_TRUE(setting.SetUtc(FromUnixMilliseconds(now / 1000)));
        }
    }
};

} // namespace

TEST(RateCorrectingClock, CorrectsTheRateSaysWhatEachSettingDidAndLeavesAnotherServiceAlone)
{
    Corrected c;
    c.SetEveryHour(1);
    EXPECT_EQ(c.state.clockRateState.load(), AppState::ClockRateState::Learning);
    c.SetEveryHour(1);
    EXPECT_EQ(c.setting.SettingNote(),
        "offset removed -133.200 ms, rate correction +0.000 ppm, next -37.000 ppm");
    EXPECT_NEAR(c.clock.QueryFrequency().frequencyPpm, -37.0, 1e-6);
    EXPECT_NEAR(c.state.clockRatePpm.load(), 37.0, 1e-6);
    c.SetEveryHour(1);
    EXPECT_LT(std::abs(c.clock.OffsetMicroseconds()), 10) << "the clock now holds true time";

    c.settings.WriteProfileInt(keys::kSettings, keys::kRateCorrection, 0);
    c.SetEveryHour(1);
    EXPECT_EQ(c.clock.QueryFrequency().frequencyPpm, 0.0) << "switched off: the old rate back";
    EXPECT_NEAR(c.state.clockRatePpm.load(), 37.0, 0.01) << "still measured";

    EXPECT_EQ(RateCorrectingClock::ServerFamily("0.Pool.NTP.org."), "ntp.org");
    EXPECT_EQ(RateCorrectingClock::ServerFamily("192.0.2.7"), "192.0.2.7");

    // A rate that another service keeps is left alone, and the user is told once.
    Corrected other;
    other.clock.SetDisciplinedBy("chronyd");
    other.SetEveryHour(4);
    EXPECT_EQ(other.clock.QueryFrequency().frequencyPpm, 0.0);
    EXPECT_EQ(other.state.clockRateState.load(), AppState::ClockRateState::OtherService);
    EXPECT_EQ(other.notices,
        std::vector<std::string> { "Rate correction left alone: chronyd keeps the clock's rate" });
}
