#include "engine/clockset/RateCorrectingClock.h"

#include "base/Calendar.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <gtest/gtest.h>

#include <vector>

using namespace velarin;

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

TEST(RateCorrectingClock, CorrectsTheRateAndSaysWhatEachSettingDid)
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
}

TEST(RateCorrectingClock, LeavesARateThatAnotherServiceKeepsAndSaysSoOnce)
{
    Corrected c;
    c.clock.SetDisciplinedBy("chronyd");
    c.SetEveryHour(4);
    EXPECT_EQ(c.clock.QueryFrequency().frequencyPpm, 0.0);
    EXPECT_EQ(c.state.clockRateState.load(), AppState::ClockRateState::OtherService);
    ASSERT_EQ(c.notices.size(), 1u);
    EXPECT_EQ(c.notices[0], "Rate correction left alone: chronyd keeps the clock's rate");
}
