#include "engine/ui/SkyViewLayout.h"
#include "engine/ui/SignalBarLayout.h"
#include "engine/ui/SkySatelliteSlots.h"

#include <gtest/gtest.h>

using namespace velarin;

namespace {

constexpr uint32_t kUsed = 0x00FFFF;
constexpr uint32_t kTracked = 0xC0C0C0;

std::vector<SkySatelliteSlots::Draw> Update(SkySatelliteSlots& slots)
{
    return slots.Update(kUsed, kTracked, 114, 125);
}

// One field of every item, for comparing a whole list at once.
template <typename Items, typename F> auto Each(const Items& items, F field)
{
    std::vector<decltype(field(*items.begin()))> result;
    for (const auto& item : items)
        result.push_back(field(item));
    return result;
}

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

TEST(SkyViewLayout, PlotIsTheCentredSquareInsideTheFrame)
{
    const SkyPlot plot = ComputeSkyPlot(204, 164);
    EXPECT_EQ(std::tuple(plot.cx, plot.cy, plot.r), std::tuple(102.0, 82.0, 80.0));
    EXPECT_EQ(plot.square, (UiRect { 22, 2, 182, 162 }));
    EXPECT_EQ(plot.HorizonEllipse(), (UiRect { 22, 2, 183, 163 }));
    // Zenith in the middle, north up, east right, south down, west left; truncation toward zero
    // on both sides of the centre.
    EXPECT_EQ(plot.PolarToPoint(123, 90), (UiPoint { 102, 82 }));
    EXPECT_EQ(plot.PolarToPoint(0, 0), (UiPoint { 102, 2 }));
    EXPECT_EQ(plot.PolarToPoint(90, 0), (UiPoint { 182, 82 }));
    EXPECT_EQ(plot.PolarToPoint(180, 45), (UiPoint { 102, 122 }));
    EXPECT_EQ(plot.PolarToPoint(270, 45), (UiPoint { 62, 82 }));
    EXPECT_EQ(plot.PolarToPoint(45, 45), (UiPoint { 102 + 28, 82 - 28 }));
    EXPECT_DOUBLE_EQ(ComputeSkyPlot(3, 3).r, 0.0); // a control too small for a plot
}

TEST(SkyViewLayout, RingsAndSpokesForBothGrids)
{
    using Label = std::string;
    const SkyPlot plot = ComputeSkyPlot(204, 164);
    const auto rings = SkyRings(plot, 30);
    EXPECT_EQ(Each(rings, [](const SkyRing& r) { return r.labelled ? r.label : Label("-"); }),
        (std::vector<Label> { "-", "30º", "60º" }));
    EXPECT_EQ(rings[0].ellipse, (UiRect { 22, 2, 182, 162 }));
    EXPECT_EQ(rings[1].ellipse, (UiRect { 49, 29, 155, 135 })); // rho = trunc(80 - 26.67) = 53
    const auto spokes = SkySpokes(plot, 90);
    EXPECT_EQ(Each(spokes, [](const SkySpoke& s) { return s.label; }),
        (std::vector<Label> { " N ", " E ", " S ", " W " }));
    EXPECT_EQ(Each(spokes, [](const SkySpoke& s) { return s.to; }),
        (std::vector<UiPoint> { { 102, 2 }, { 182, 82 }, { 102, 162 }, { 22, 82 } }));

    const SkyPlot small = ComputeSkyPlot(100, 100);
    const auto fine = SkyRings(small, 15);
    ASSERT_EQ(fine.size(), 6u);
    EXPECT_EQ(std::tie(fine[1].label, fine[5].label), std::tuple("15º", "75º"));
    const auto many = SkySpokes(small, 30);
    ASSERT_EQ(many.size(), 12u);
    EXPECT_EQ(
        std::tie(many[1].label, many[2].label, many[3].label), std::tuple("30º", "60º", " E "));
    // A zero or negative step must not loop for ever.
    EXPECT_EQ(SkyRings(small, 0).size(), 90u);
    EXPECT_EQ(SkySpokes(small, -5).size(), 360u);
}

TEST(SkySatelliteSlots, UpdatesDrawOnlyWhatChanged)
{
    const auto bitmaps = [](const auto& draws) {
        return Each(draws, [](const auto& d) { return int(d.satellite.bitmapId); });
    };
    SkySatelliteSlots slots(kUsed);
    EXPECT_TRUE(Update(slots).empty());
    slots.satellites[0] = { 5, 120, 40, 1 };
    slots.satellites[1] = { 7, 200, 10, 0 };
    auto draws = Update(slots);
    EXPECT_EQ(bitmaps(draws), (std::vector<int> { 114, 125 }));
    EXPECT_EQ(std::tie(draws[0].satellite.labelColour, draws[1].satellite.labelColour),
        std::tuple(kUsed, kTracked));
    // Nothing changed, nothing drawn; the signal alone is not drawn.
    slots.satellites[0].signal = 44;
    EXPECT_TRUE(Update(slots).empty());
    // Only the in-use flag: erase with the old picture, draw with the new one.
    slots.satellites[1].inUse = 1;
    draws = Update(slots);
    EXPECT_EQ(bitmaps(draws), (std::vector<int> { 125, 114 }));
    EXPECT_EQ(draws[1].slot, 1);
    // A cleared slot is erased once and then stays empty.
    slots.satellites[0] = {};
    draws = Update(slots);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].satellite.prn, 5);
    EXPECT_TRUE(Update(slots).empty());
    EXPECT_EQ(slots.FullPaint().size(), 1u);
}

TEST(SkySatelliteSlots, UnplottablePositionsAndPendingChangesAreNotDrawn)
{
    // Zero azimuth or elevation and above the zenith are not plotted.
    SkySatelliteSlots slots(kUsed);
    slots.satellites[0] = { 3, 0, 45, 1 };
    slots.satellites[1] = { 4, 45, 0, 1 };
    slots.satellites[2] = { 6, 45, 91, 1 };
    slots.satellites[3] = { 8, 45, 90, 1 };
    const auto draws = Update(slots);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].satellite.prn, 8);
    // Moving the one above the zenith back into the sky draws it without erasing anything.
    slots.satellites[2].elevation = 80;
    const auto moved = Update(slots);
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_EQ(moved[0].satellite.elevation, 80);
    EXPECT_EQ(slots.FullPaint().size(), 2u);

    // Written by the host but not yet updated: a repaint now must not draw it, or the next
    // update's XOR would leave a ghost.
    SkySatelliteSlots pending(kUsed);
    pending.satellites[0] = { 9, 10, 10, 0 };
    Update(pending);
    pending.satellites[0] = { 9, 20, 20, 0 };
    const auto full = pending.FullPaint();
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].satellite.azimuth, 10);
}

TEST(SignalBarScale, FollowsTheNonZeroExtremesUntilResetOrKeepsAFixedRange)
{
    SignalBarScale scale;
    const auto range = [&] { return std::tuple(scale.displayMinimum, scale.displayMaximum); };
    // Nothing seen yet: the display range is inverted and every bar is empty.
    scale.Update(Entries({ 0, 0, 0 }), 3);
    EXPECT_EQ(std::tuple(scale.BarHeight(40, 100), scale.BarHeight(0, 100)), std::tuple(0, 0));
    // Heights are 100 / 15 * 10, truncated, and clamped to the range.
    scale.Update(Entries({ 30, 0, 45, 40 }), 4);
    EXPECT_EQ(range(), std::tuple(30, 45));
    EXPECT_EQ(std::tuple(scale.BarHeight(45, 100), scale.BarHeight(40, 100),
                  scale.BarHeight(0, 100), scale.BarHeight(99, 100)),
        std::tuple(100, 66, 0, 100));
    // The extremes only grow; entries past the count are not looked at.
    scale.Update(Entries({ 35, 36, 37, 50 }), 3);
    EXPECT_EQ(range(), std::tuple(30, 45));
    scale.ResetMinMax();
    scale.Update(Entries({ 35, 36, 37 }), 3);
    EXPECT_EQ(range(), std::tuple(35, 37));

    SignalBarScale single;
    single.Update(Entries({ 42, 42, 0 }), 3);
    EXPECT_EQ(single.BarHeight(42, 80), 0); // a single distinct value leaves bars empty

    SignalBarScale fixed;
    fixed.automaticRange = 0;
    fixed.displayMinimum = 0;
    fixed.displayMaximum = 50;
    fixed.Update(Entries({ 25 }), 1);
    EXPECT_EQ(std::tuple(fixed.BarHeight(25, 100), fixed.maximumSeen), std::tuple(50, 25));
}

TEST(SignalBarLayout, BarsShareTheInnerWidth)
{
    EXPECT_EQ(std::tuple(SignalBarPitch(242, 12), SignalBarPitch(242, 0), SignalBarFontTenths(242),
                  SignalBarFontTenths(100)),
        std::tuple(20, 0, 80, 60));
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
