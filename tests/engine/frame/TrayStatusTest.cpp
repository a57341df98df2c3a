#include "engine/frame/TrayStatus.h"

#include <gtest/gtest.h>

namespace velarin {
namespace {

TrayInputs Inputs(bool network, bool busy, bool failure, bool noData, bool usable)
{
    return TrayInputs { network, busy, failure, noData, usable };
}

TEST(TrayStatusTest, FirstMatchWinsAndEveryTipFitsTheTrayRecord)
{
    // Network: busy beats a failure; the GPS-only flags never matter. GPS: no data beats a running
    // setting, which beats the lock state; a network failure is not shown.
    const std::tuple<TrayInputs, int, const char*> cases[] = {
        { Inputs(true, true, true, true, false), 140,
            "Velarin - Setting PC clock to Netwotk Time" },
        { Inputs(true, false, true, true, false), 141,
            "Velarin - Cannot connect to network\ntime server" },
        { Inputs(true, false, false, true, false), 138,
            "Velarin - Time referenced to\n Network time" },
        { Inputs(false, true, true, true, true), 137, "GPS NMEA data not available" },
        { Inputs(false, true, true, false, false), 136, "Setting time to GPS" },
        { Inputs(false, false, true, false, false), 155, "Receiving NMEA, Not Time Locked" },
        { Inputs(false, false, true, false, true), 154, "Velarin" },
    };
    for (const auto& [inputs, icon, tip] : cases) {
        const auto s = TrayStatus::SelectTrayState(inputs);
        EXPECT_EQ(std::tie(s.iconId, s.tipText), std::tuple(icon, tip));
    }
    for (int bits = 0; bits < 32; ++bits) {
        const auto s = TrayStatus::SelectTrayState(
            Inputs(bits & 1, bits & 2, bits & 4, bits & 8, bits & 16));
        EXPECT_LE(s.tipText.size(), 63u) << s.tipText;
    }
}

TEST(TrayStatusTest, UpdatesOnlyWhenTheIconChangesOrTheTrayHostRestarted)
{
    TrayStatus status;
    EXPECT_EQ(status.IconShown(), -1);
    const auto noData = Inputs(false, false, false, true, false);
    auto first = status.RefreshTrayState(noData);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->iconId, 137);
    EXPECT_FALSE(status.RefreshTrayState(noData));
    const auto failed = Inputs(true, false, true, false, true);
    ASSERT_TRUE(status.RefreshTrayState(failed));
    EXPECT_EQ(status.IconShown(), 141);
    status.ForgetShownIcon();
    auto again = status.RefreshTrayState(failed);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->iconId, 141);

    // Locked GPS shows the start icon; after a restart it is sent once more all the same, since
    // the re-added icon carries "Velarin" but the tip must be set by the refresh too.
    const auto locked = Inputs(false, false, false, false, true);
    ASSERT_TRUE(status.RefreshTrayState(locked));
    status.ForgetShownIcon();
    EXPECT_TRUE(status.RefreshTrayState(locked));
    EXPECT_FALSE(status.RefreshTrayState(locked));
    EXPECT_EQ(status.IconShown(), 154);
}

} // namespace
} // namespace velarin
