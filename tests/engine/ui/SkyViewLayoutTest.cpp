#include "engine/ui/SkyViewLayout.h"
#include "engine/ui/SignalBarLayout.h"
#include "engine/ui/SkySatelliteSlots.h"

#include <gtest/gtest.h>

using namespace velarin;

namespace {

constexpr uint32_t kUsed = 0x00FFFF;
constexpr uint32_t kTracked = 0xC0C0C0;

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
    for (size_t i = 0; i < snrs.size(); ++i)
        entries[i] = { int(i) + 1, snrs.begin()[i], 1 };
    return entries;
}

} // namespace

TEST(SkyViewLayout, RingsAndSpokesForBothGrids)
{
    using Label = std::string;
    const SkyPlot plot = ComputeSkyPlot(204, 164);
    const auto rings = SkyRings(plot, 30);
    EXPECT_EQ(Each(rings, [](const SkyRing& r) { return r.labelled ? r.label : Label("-"); }),
        (std::vector<Label> { "-", "30º", "60º" }));
    EXPECT_EQ(rings[1].ellipse, (UiRect { 49, 29, 155, 135 })); // rho = trunc(80 - 26.67) = 53
    EXPECT_EQ(Each(SkySpokes(plot, 90), [](const SkySpoke& s) { return s.label; }),
        (std::vector<Label> { " N ", " E ", " S ", " W " }));
    const SkyPlot small = ComputeSkyPlot(100, 100);
    // A zero or negative step must not loop for ever.
    EXPECT_EQ(SkyRings(small, 0).size(), 90u);
    EXPECT_EQ(SkySpokes(small, -5).size(), 360u);
}

TEST(SkySatelliteSlots, UnplottablePositionsAndPendingChangesAreNotDrawn)
{
    // Zero azimuth or elevation and above the zenith are not plotted.
    SkySatelliteSlots slots(kUsed);
    slots.satellites[0] = { 3, 0, 45, 1 };
    slots.satellites[1] = { 4, 45, 0, 1 };
    slots.satellites[2] = { 6, 45, 91, 1 };
    slots.satellites[3] = { 8, 45, 90, 1 };
    const auto draws = slots.Update(kUsed, kTracked, 114, 125);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].satellite.prn, 8);
    // Moving the one above the zenith back into the sky draws it without erasing anything.
    slots.satellites[2].elevation = 80;
    EXPECT_EQ(slots.Update(kUsed, kTracked, 114, 125).size(), 1u);

    // Written by the host but not yet updated: a repaint now must not draw it, or the next
    // update's XOR would leave a ghost.
    SkySatelliteSlots pending(kUsed);
    pending.satellites[0] = { 9, 10, 10, 0 };
    pending.Update(kUsed, kTracked, 114, 125);
    pending.satellites[0] = { 9, 20, 20, 0 };
    const auto full = pending.FullPaint();
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].satellite.azimuth, 10);
}

TEST(SignalBarScale, FollowsTheNonZeroExtremesOrKeepsAFixedRange)
{
    SignalBarScale scale;
    const auto range = [&] { return std::tuple(scale.displayMinimum, scale.displayMaximum); };
    // Heights are 100 / 15 * 10, truncated, and clamped to the range.
    scale.Update(Entries({ 30, 0, 45, 40 }), 4);
    EXPECT_EQ(range(), std::tuple(30, 45));
    EXPECT_EQ(std::tuple(scale.BarHeight(45, 100), scale.BarHeight(40, 100),
                  scale.BarHeight(0, 100), scale.BarHeight(99, 100)),
        std::tuple(100, 66, 0, 100));

    SignalBarScale fixed;
    fixed.automaticRange = 0;
    fixed.displayMinimum = 0;
    fixed.displayMaximum = 50;
    fixed.Update(Entries({ 25 }), 1);
    EXPECT_EQ(std::tuple(fixed.BarHeight(25, 100), fixed.maximumSeen), std::tuple(50, 25));
}
