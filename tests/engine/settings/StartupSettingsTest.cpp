#include "engine/settings/StartupSettings.h"
#include "engine/AppState.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"

#include <gtest/gtest.h>

namespace velarin {
namespace {

TEST(StartupSettings, FreshUserGetsTheDefaultsAndNothingIsWritten)
{
    MemorySettingsStore store;
    AppState state;
    state.timeUpdateRate = 1;
    state.tlSats = 9;
    LoadStartupSettings(store, state);
    EXPECT_EQ(
        std::tuple(state.timeUpdateRate.load(), state.useTimrFrom.load(), state.tlGpsGood.load(),
            state.tlSats.load(), state.useNetworkTime.load(), state.timeServerPort.load(),
            state.enableSetBeep.load(), state.clockEnableSegColor.load(),
            state.clockDisableSegColor.load(), state.onePpsInput.load()),
        std::tuple(60, 0, 1, 3, 0, 13, 0, 0xFF0000u, 0x400000u, 0));
    EXPECT_EQ(store.WriteCount(), 0u);
}

TEST(StartupSettings, RateAndSatellitesAreHeldInSixteenBits)
{
    MemorySettingsStore store;
    store.WriteProfileInt(keys::kSettings, keys::kTimeUpdateRate, 70000);
    store.WriteProfileInt(keys::kSettings, keys::kTLSats, -1);
    store.WriteProfileInt(keys::kNetwork, keys::kTimeServerPort, 37);
    AppState state;
    LoadStartupSettings(store, state);
    EXPECT_EQ(
        std::tuple(state.timeUpdateRate.load(), state.tlSats.load(), state.timeServerPort.load()),
        std::tuple(4464, 65535, 37));
}

TEST(StartupSettings, ClockWindowReadOfSegmentColoursIsTheOneThatStays)
{
    MemorySettingsStore store;
    AppState state;
    LoadStartupSettings(store, state);
    LoadClockWindowSegColors(store, state);
    EXPECT_EQ(std::tuple(state.clockEnableSegColor.load(), state.clockDisableSegColor.load(),
                  state.clockActiveSegColor.load(), state.clockInactiveSegColor.load()),
        std::tuple(0x00FF00u, 0x004000u, 0x00FF00u, 0x004000u));

    store.WriteProfileInt(keys::kSettings, keys::kClockEnableSegColor, 0x0000FF);
    LoadStartupSettings(store, state);
    LoadClockWindowSegColors(store, state);
    EXPECT_EQ(std::tuple(state.clockActiveSegColor.load(), state.clockInactiveSegColor.load()),
        std::tuple(0x0000FFu, 0x004000u));
}

} // namespace
} // namespace velarin
