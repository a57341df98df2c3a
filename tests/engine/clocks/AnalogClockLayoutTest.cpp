#include "engine/clocks/AnalogClockLayout.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace velarin;

TEST(AnalogClockLayout, HundredPixelFace)
{
    const AnalogFace face = LayoutAnalogFace({ 0, 0, 100, 100 });
    EXPECT_EQ(face.square, (ClockRect { 5, 5, 95, 95 }));
    EXPECT_EQ(std::tie(face.radius, face.scale, face.diameter, face.facePenWidth, face.stubPenWidth,
                  face.hubDiameter, face.fontTenthsOfPoint),
        std::tuple(45.0, 0.5, 90, 0, 1, 4, 81));
    // Small faces keep a readable 6-point font.
    EXPECT_EQ(LayoutAnalogFace({ 0, 0, 40, 40 }).fontTenthsOfPoint, 60);
    // The face is centred along the longer side.
    const AnalogFace wide = LayoutAnalogFace({ 0, 0, 200, 100 });
    EXPECT_EQ(wide.square, (ClockRect { 55, 5, 145, 95 }));
    const AnalogFace tall = LayoutAnalogFace({ 0, 0, 100, 200 });
    EXPECT_EQ(tall.square, (ClockRect { 5, 55, 95, 145 }));
    EXPECT_DOUBLE_EQ(tall.centerY, 100.0);
}

TEST(AnalogClockLayout, TicksAndNumerals)
{
    const AnalogFace face = LayoutAnalogFace({ 0, 0, 100, 100 });
    const auto ticks = AnalogTicks(face);
    ASSERT_EQ(ticks.size(), 61u);
    // The 61st step repeats 12 o'clock; sin(360°) is a hair below zero, so it truncates one
    // pixel to the left.
    EXPECT_EQ(ticks.back().line, (ClockStroke { { 49, 5 }, { 49, 10 } }));
    // 12 o'clock: radius 89.1 (44.55 px) to 80 (40 px) above the centre.
    EXPECT_EQ(ticks[0].line, (ClockStroke { { 50, 5 }, { 50, 10 } }));
    EXPECT_TRUE(ticks[0].major);
    // One minute past: a short tick to radius 85.
    EXPECT_FALSE(ticks[1].major);
    EXPECT_EQ(ticks[15].line, (ClockStroke { { 94, 50 }, { 90, 50 } }));

    const auto numerals = AnalogNumerals(face, false);
    ASSERT_EQ(numerals.size(), 12u);
    EXPECT_EQ(std::tuple(numerals.front().number, numerals.back().number), std::tuple(1, 12));
    EXPECT_EQ(numerals.back().center, (ClockPoint { 49, 16 })); // radius 68 = 34 px up
    EXPECT_EQ(numerals[2].center, (ClockPoint { 84, 50 }));
    const auto doubled = AnalogNumerals(face, true);
    EXPECT_EQ(std::tuple(doubled.front().number, doubled.back().number), std::tuple(2, 24));
}

TEST(AnalogClockLayout, HourHandAnglesInBothModes)
{
    EXPECT_DOUBLE_EQ(ComputeHandAngles(3, 0, 0, false).hour, 90.0);
    EXPECT_DOUBLE_EQ(ComputeHandAngles(3, 0, 0, true).hour, 45.0);
    EXPECT_DOUBLE_EQ(std::fmod(ComputeHandAngles(12, 30, 0, false).hour, 360.0), 15.0);
    EXPECT_DOUBLE_EQ(ComputeHandAngles(12, 30, 0, true).hour, 187.5);
    const HandAngles a = ComputeHandAngles(12, 30, 45, false);
    EXPECT_DOUBLE_EQ(a.minute, 180.0); // seconds do not move the minute hand
    EXPECT_DOUBLE_EQ(a.second, 270.0);
}

TEST(AnalogClockLayout, HandPolygonsStubsAndHub)
{
    const AnalogFace face = LayoutAnalogFace({ 0, 0, 190, 190 }); // s = 1
    const AnalogHands hands = LayoutAnalogHands(face, ComputeHandAngles(3, 0, 0, false));
    EXPECT_EQ(hands.hour[0], (ClockPoint { 95, 95 }));
    EXPECT_EQ(hands.hour[2], (ClockPoint { 150, 95 }));
    EXPECT_EQ(hands.hourStub, (ClockStroke { { 95, 95 }, { 135, 95 } }));
    // Radius 40 at 85° and 95°: 3.5 px above and below the axis.
    EXPECT_EQ(hands.hour[1], (ClockPoint { 134, 91 }));
    EXPECT_EQ(hands.hour[3], (ClockPoint { 134, 98 }));
    EXPECT_EQ(hands.minute[2], (ClockPoint { 95, 20 }));
    EXPECT_EQ(hands.minuteStub.to, (ClockPoint { 95, 55 }));
    EXPECT_EQ(hands.second[1], (ClockPoint { 95, 20 }));
    EXPECT_EQ(hands.hub, (ClockPoint { 95, 95 }));
}
