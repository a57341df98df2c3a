#include "engine/ui/SignalBarLayout.h"

#include <gtest/gtest.h>

using namespace velarin;

namespace {

std::array<SignalBarEntry, SignalBarScale::kMaxEntries> Entries(std::initializer_list<int> snrs)
{
    std::array<SignalBarEntry, SignalBarScale::kMaxEntries> entries {};
    int i = 0;
    for (int snr : snrs) {
        entries[static_cast<size_t>(i)] = { i + 1, snr, 1 };
        ++i;
    }
    return entries;
}

} // namespace

TEST(SignalBarScale, FollowsTheNonZeroExtremesUntilReset)
{
    SignalBarScale scale;
    scale.Update(Entries({ 0, 0, 0 }), 3);
    // Nothing seen yet: the display range is inverted and every bar is empty.
    EXPECT_EQ(scale.BarHeight(40, 100), 0);
    EXPECT_EQ(scale.BarHeight(0, 100), 0);

    scale.Update(Entries({ 30, 0, 45, 40 }), 4);
    EXPECT_EQ(scale.displayMinimum, 30);
    EXPECT_EQ(scale.displayMaximum, 45);
    EXPECT_EQ(scale.BarHeight(45, 100), 100);
    EXPECT_EQ(scale.BarHeight(40, 100), 66); // 100 / 15 * 10, truncated
    EXPECT_EQ(scale.BarHeight(0, 100), 0); // clamped up to the minimum
    EXPECT_EQ(scale.BarHeight(99, 100), 100); // clamped down to the maximum

    // The extremes only grow; entries past the count are not looked at.
    scale.Update(Entries({ 35, 36, 37, 50 }), 3);
    EXPECT_EQ(scale.displayMinimum, 30);
    EXPECT_EQ(scale.displayMaximum, 45);

    scale.ResetMinMax();
    scale.Update(Entries({ 35, 36, 37 }), 3);
    EXPECT_EQ(scale.displayMinimum, 35);
    EXPECT_EQ(scale.displayMaximum, 37);
}

TEST(SignalBarScale, SingleDistinctValueLeavesBarsEmpty)
{
    SignalBarScale scale;
    scale.Update(Entries({ 42, 42, 0 }), 3);
    EXPECT_EQ(scale.BarHeight(42, 80), 0);
}

TEST(SignalBarScale, FixedRangeIsKeptWhenAutomaticIsOff)
{
    SignalBarScale scale;
    scale.automaticRange = 0;
    scale.displayMinimum = 0;
    scale.displayMaximum = 50;
    scale.Update(Entries({ 25 }), 1);
    EXPECT_EQ(scale.BarHeight(25, 100), 50);
    EXPECT_EQ(scale.maximumSeen, 25);
}

TEST(SignalBarLayout, BarsShareTheInnerWidth)
{
    EXPECT_EQ(SignalBarPitch(242, 12), 20);
    EXPECT_EQ(SignalBarPitch(242, 0), 0);
    EXPECT_EQ(SignalBarFontTenths(242), 80);
    EXPECT_EQ(SignalBarFontTenths(100), 60);

    // Client 242 x 120, 12 bars, text height 15, bar 20 pixels high; inner rect (1,1)-(241,119).
    const SignalBarGeometry g = SignalBarAt(242, 120, 12, 1, 15, 20);
    EXPECT_EQ(g.frame, (UiRect { 22, 2, 41, 104 }));
    EXPECT_EQ(g.area, (UiRect { 23, 3, 39, 103 }));
    EXPECT_EQ(g.empty, (UiRect { 23, 3, 39, 83 }));
    EXPECT_EQ(g.level, (UiRect { 23, 82, 39, 103 }));
    EXPECT_EQ(g.label, (UiRect { 23, 105, 40, 120 }));

    // A zero level still leaves a one-pixel line.
    EXPECT_EQ(SignalBarAt(242, 120, 12, 0, 15, 0).level.Height(), 1);
}
