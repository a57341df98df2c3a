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
    EXPECT_EQ(state.timeUpdateRate, 60);
    EXPECT_EQ(state.useTimrFrom, 0);
    EXPECT_EQ(state.tlGpsGood, 1);
    EXPECT_EQ(state.tlSats, 3);
    EXPECT_EQ(state.useNetworkTime, 0);
    EXPECT_EQ(state.timeServerPort, 13);
    EXPECT_EQ(state.enableSetBeep, 0);
    EXPECT_EQ(state.clockEnableSegColor, 0xFF0000u);
    EXPECT_EQ(state.clockDisableSegColor, 0x400000u);
    EXPECT_EQ(state.onePpsInput, 0);
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
    EXPECT_EQ(state.timeUpdateRate, 4464);
    EXPECT_EQ(state.tlSats, 65535);
    EXPECT_EQ(state.timeServerPort, 37);
}

TEST(StartupSettings, ClockWindowReadOfSegmentColoursIsTheOneThatStays)
{
    MemorySettingsStore store;
    AppState state;
    LoadStartupSettings(store, state);
    LoadClockWindowSegColors(store, state);
    EXPECT_EQ(state.clockEnableSegColor, 0x00FF00u);
    EXPECT_EQ(state.clockDisableSegColor, 0x004000u);
    EXPECT_EQ(state.clockActiveSegColor, 0x00FF00u);
    EXPECT_EQ(state.clockInactiveSegColor, 0x004000u);

    store.WriteProfileInt(keys::kSettings, keys::kClockEnableSegColor, 0x0000FF);
    LoadStartupSettings(store, state);
    LoadClockWindowSegColors(store, state);
    EXPECT_EQ(state.clockActiveSegColor, 0x0000FFu);
    EXPECT_EQ(state.clockInactiveSegColor, 0x004000u);
}

} // namespace
} // namespace velarin
