#include "engine/settings/StartupSettings.h"
#include "base/Calendar.h"
#include "base/ProfileText.h"
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

TEST(MemorySettingsStore, TextThatIsNotAnIntegerReadsAsTheDefaultAndFailedWritesKeepTheOld)
{
    MemorySettingsStore store;
    store.WriteProfileString("Settings", "TLSats", "lots");
    EXPECT_EQ(store.GetProfileInt("Settings", "TLSats", 3), 3);
    store.WriteProfileString("Settings", "TLSats", " 70000 ");
    EXPECT_EQ(store.GetProfileInt("Settings", "TLSats", 3), 70000);
    store.SetWritesFail(true);
    EXPECT_FALSE(store.WriteProfileInt("Settings", "TLSats", 0)
        || store.WriteProfileString("Settings", "TLSats", "0"));
    EXPECT_EQ(store.GetProfileInt("Settings", "TLSats", 5), 70000);

    const std::pair<const char*, long long> parsed[]
        = { { "-2147483648", -2147483648LL }, { "2147483648", 7 }, { "99999999999999999999999", 7 },
              { "12abc", 7 }, { "1.5", 7 }, { "", 7 }, { "+42", 42 }, { "--4", 7 } };
    for (auto [text, value] : parsed)
        EXPECT_EQ(ParseProfileInt(text, 7), value) << text;
}

TEST(Calendar, RejectsRecordsTheClockWouldRefuseWithoutNormalising)
{
    SystemTime ok { 2024, 2, 0, 29, 23, 59, 59, 999 };
    EXPECT_TRUE(IsValidSystemTime(ok));
    // Hours, seconds and days out of range are driven by the NMEA date tests.
    for (auto broken :
        { SystemTime { 2024, 0, 0, 1, 0, 0, 0, 0 }, SystemTime { 2024, 1, 0, 1, 0, 60, 0, 0 },
            SystemTime { 2024, 1, 0, 1, 0, 0, 0, 1000 } }) {
        EXPECT_FALSE(IsValidSystemTime(broken));
        EXPECT_FALSE(ToUnixMilliseconds(broken).has_value());
    }
}

} // namespace
} // namespace velarin
