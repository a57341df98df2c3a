#include "engine/ui/SkyViewLayout.h"
#include "engine/ui/SkySatelliteSlots.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(SkyViewLayout, PlotIsTheCentredSquareInsideTheFrame)
{
    const SkyPlot plot = ComputeSkyPlot(204, 164);
    EXPECT_DOUBLE_EQ(plot.cx, 102.0);
    EXPECT_DOUBLE_EQ(plot.cy, 82.0);
    EXPECT_DOUBLE_EQ(plot.r, 80.0);
    EXPECT_EQ(plot.square, (UiRect { 22, 2, 182, 162 }));
    EXPECT_EQ(plot.HorizonEllipse(), (UiRect { 22, 2, 183, 163 }));
    // Zenith in the middle, north up, east right, south down, west left.
    EXPECT_EQ(plot.PolarToPoint(123, 90), (UiPoint { 102, 82 }));
    EXPECT_EQ(plot.PolarToPoint(0, 0), (UiPoint { 102, 2 }));
    EXPECT_EQ(plot.PolarToPoint(90, 0), (UiPoint { 182, 82 }));
    EXPECT_EQ(plot.PolarToPoint(180, 45), (UiPoint { 102, 122 }));
    EXPECT_EQ(plot.PolarToPoint(270, 45), (UiPoint { 62, 82 }));
    // Truncation toward zero on both sides of the centre.
    EXPECT_EQ(plot.PolarToPoint(45, 45), (UiPoint { 102 + 28, 82 - 28 }));
}

TEST(SkyViewLayout, PositionPageGridHasTwoLabelledRingsAndFourCompassSpokes)
{
    const SkyPlot plot = ComputeSkyPlot(204, 164);
    const auto rings = SkyRings(plot, 30);
    ASSERT_EQ(rings.size(), 3u);
    EXPECT_FALSE(rings[0].labelled);
    EXPECT_EQ(rings[0].ellipse, (UiRect { 22, 2, 182, 162 }));
    EXPECT_EQ(rings[1].label, "30º");
    EXPECT_EQ(rings[1].ellipse, (UiRect { 49, 29, 155, 135 })); // rho = trunc(80 - 26.67) = 53
    EXPECT_EQ(rings[2].label, "60º");

    const auto spokes = SkySpokes(plot, 90);
    ASSERT_EQ(spokes.size(), 4u);
    EXPECT_EQ(spokes[0].label, " N ");
    EXPECT_EQ(spokes[1].label, " E ");
    EXPECT_EQ(spokes[2].label, " S ");
    EXPECT_EQ(spokes[3].label, " W ");
    EXPECT_EQ(spokes[0].to, (UiPoint { 102, 2 }));
    EXPECT_EQ(spokes[1].to, (UiPoint { 182, 82 }));
    EXPECT_EQ(spokes[2].to, (UiPoint { 102, 162 }));
    EXPECT_EQ(spokes[3].to, (UiPoint { 22, 82 }));
}

TEST(SkyViewLayout, DefaultGridAndDegenerateSteps)
{
    const SkyPlot plot = ComputeSkyPlot(100, 100);
    const auto rings = SkyRings(plot, 15);
    ASSERT_EQ(rings.size(), 6u);
    EXPECT_EQ(rings[1].label, "15º");
    EXPECT_EQ(rings[5].label, "75º");
    const auto spokes = SkySpokes(plot, 30);
    ASSERT_EQ(spokes.size(), 12u);
    EXPECT_EQ(spokes[1].label, "30º");
    EXPECT_EQ(spokes[2].label, "60º");
    EXPECT_EQ(spokes[3].label, " E ");
    // A zero or negative step must not loop for ever.
    EXPECT_EQ(SkyRings(plot, 0).size(), 90u);
    EXPECT_EQ(SkySpokes(plot, -5).size(), 360u);
    // A control too small for a plot.
    EXPECT_DOUBLE_EQ(ComputeSkyPlot(3, 3).r, 0.0);
}

namespace {

constexpr uint32_t kUsed = 0x00FFFF;
constexpr uint32_t kTracked = 0xC0C0C0;

std::vector<SkySatelliteSlots::Draw> Update(SkySatelliteSlots& slots)
{
    return slots.Update(kUsed, kTracked, 114, 125);
}

} // namespace

TEST(SkySatelliteSlots, UpdatesDrawOnlyWhatChanged)
{
    SkySatelliteSlots slots(kUsed);
    EXPECT_TRUE(Update(slots).empty());

    slots.satellites[0] = { 5, 120, 40, 1 };
    slots.satellites[1] = { 7, 200, 10, 0 };
    auto draws = Update(slots);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].satellite.labelColour, kUsed);
    EXPECT_EQ(draws[0].satellite.bitmapId, 114);
    EXPECT_EQ(draws[1].satellite.labelColour, kTracked);
    EXPECT_EQ(draws[1].satellite.bitmapId, 125);

    // Nothing changed, nothing drawn; the signal alone is not drawn.
    slots.satellites[0].signal = 44;
    EXPECT_TRUE(Update(slots).empty());

    // Only the in-use flag: erase with the old picture, draw with the new one.
    slots.satellites[1].inUse = 1;
    draws = Update(slots);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].satellite.bitmapId, 125);
    EXPECT_EQ(draws[1].satellite.bitmapId, 114);
    EXPECT_EQ(draws[1].slot, 1);

    // A cleared slot is erased once and then stays empty.
    slots.satellites[0] = {};
    draws = Update(slots);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].satellite.prn, 5);
    EXPECT_TRUE(Update(slots).empty());
    EXPECT_EQ(slots.FullPaint().size(), 1u);
}

TEST(SkySatelliteSlots, ZeroAzimuthOrElevationAndAboveZenithAreNotPlotted)
{
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
}

TEST(SkySatelliteSlots, FullPaintShowsWhatIsOnTheScreenNotWhatIsPending)
{
    SkySatelliteSlots slots(kUsed);
    slots.satellites[0] = { 9, 10, 10, 0 };
    Update(slots);
    // Written by the host but not yet updated: a repaint now must not draw it, or the next
    // update's XOR would leave a ghost.
    slots.satellites[0] = { 9, 20, 20, 0 };
    const auto full = slots.FullPaint();
    ASSERT_EQ(full.size(), 1u);
    EXPECT_EQ(full[0].satellite.azimuth, 10);
}
