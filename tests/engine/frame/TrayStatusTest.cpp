#include "engine/frame/TrayStatus.h"

#include <gtest/gtest.h>

namespace velarin {
namespace {

TrayInputs Inputs(bool network, bool busy, bool failure, bool noData, bool usable)
{
    return TrayInputs { network, busy, failure, noData, usable };
}

TEST(TrayStatusTest, NetworkStatesFirstMatchWins)
{
    // Busy beats a failure; the GPS-only flags never matter with the network reference.
    auto s = TrayStatus::SelectTrayState(Inputs(true, true, true, true, false));
    EXPECT_EQ(s.iconId, 140);
    EXPECT_EQ(s.tipText, "Velarin - Setting PC clock to Netwotk Time");
    s = TrayStatus::SelectTrayState(Inputs(true, false, true, true, false));
    EXPECT_EQ(s.iconId, 141);
    EXPECT_EQ(s.tipText, "Velarin - Cannot connect to network\ntime server");
    s = TrayStatus::SelectTrayState(Inputs(true, false, false, true, false));
    EXPECT_EQ(s.iconId, 138);
    EXPECT_EQ(s.tipText, "Velarin - Time referenced to\n Network time");
}

TEST(TrayStatusTest, GpsStatesFirstMatchWins)
{
    // No data beats a running setting, which beats the lock state; a network failure is not
    // shown with the GPS reference.
    auto s = TrayStatus::SelectTrayState(Inputs(false, true, true, true, true));
    EXPECT_EQ(s.iconId, 137);
    EXPECT_EQ(s.tipText, "GPS NMEA data not available");
    s = TrayStatus::SelectTrayState(Inputs(false, true, true, false, false));
    EXPECT_EQ(s.iconId, 136);
    EXPECT_EQ(s.tipText, "Setting time to GPS");
    s = TrayStatus::SelectTrayState(Inputs(false, false, true, false, false));
    EXPECT_EQ(s.iconId, 155);
    EXPECT_EQ(s.tipText, "Receiving NMEA, Not Time Locked");
    s = TrayStatus::SelectTrayState(Inputs(false, false, true, false, true));
    EXPECT_EQ(s.iconId, 154);
    EXPECT_EQ(s.tipText, "Velarin");
}

TEST(TrayStatusTest, EveryTipFitsTheTrayRecord)
{
    for (int bits = 0; bits < 32; ++bits) {
        const auto s = TrayStatus::SelectTrayState(
            Inputs(bits & 1, bits & 2, bits & 4, bits & 8, bits & 16));
        EXPECT_LE(s.tipText.size(), 63u) << s.tipText;
    }
}

TEST(TrayStatusTest, UpdatesOnlyWhenTheIconChanges)
{
    TrayStatus status;
    EXPECT_EQ(status.IconShown(), -1);
    const auto noData = Inputs(false, false, false, true, false);
    auto first = status.RefreshTrayState(noData);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->iconId, 137);
    EXPECT_FALSE(status.RefreshTrayState(noData));
    auto locked = status.RefreshTrayState(Inputs(false, false, false, false, true));
    ASSERT_TRUE(locked);
    EXPECT_EQ(locked->iconId, 154);
    EXPECT_EQ(status.IconShown(), 154);
}

TEST(TrayStatusTest, TrayHostRestartResendsEvenTheStartIcon)
{
    TrayStatus status;
    const auto failed = Inputs(true, false, true, false, true);
    ASSERT_TRUE(status.RefreshTrayState(failed));
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
}

} // namespace
} // namespace velarin
