#include "engine/clocks/ClockColors.h"
#include "engine/clocks/ClockCommands.h"
#include "engine/clocks/ClockHoverText.h"
#include "engine/clocks/ClockMenuState.h"
#include "engine/clocks/ClockPosition.h"
#include "engine/clocks/ClockWindowLayout.h"
#include "engine/clocks/DialogUnits.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(ClockPosition, ReadsLeftRightTopBottom)
{
    EXPECT_EQ(ParseClockPosition("10,310,20,120"), (ClockRect { 10, 20, 310, 120 }));
    EXPECT_EQ(ParseClockPosition(""), kDefaultClockRect);
    EXPECT_EQ(ParseClockPosition("-40, +60,\t7,  9"), (ClockRect { -40, 7, 60, 9 }));
    EXPECT_EQ(FormatClockPosition({ 10, 20, 310, 120 }), "10,310,20,120");
    EXPECT_EQ(ParseClockPosition(FormatClockPosition({ -5, -6, 70, 80 })),
        (ClockRect { -5, -6, 70, 80 }));
}

TEST(ClockPosition, MalformedFieldsKeepTheirDefaultsFromTheFirstFailureOn)
{
    EXPECT_EQ(ParseClockPosition("10,abc,20,120"), (ClockRect { 10, 0, 300, 100 }));
    EXPECT_EQ(ParseClockPosition("10 ,310,20,120"), (ClockRect { 10, 0, 300, 100 }));
    EXPECT_EQ(ParseClockPosition("10,310"), (ClockRect { 10, 0, 310, 100 }));
    EXPECT_EQ(ParseClockPosition("10,310,20,120,99"), (ClockRect { 10, 20, 310, 120 }));
    EXPECT_EQ(ParseClockPosition("-,5"), kDefaultClockRect);
    // Numbers no screen has, even those that would overflow an int, are malformed.
    EXPECT_EQ(ParseClockPosition("99999999999999999999,1,2,3"), kDefaultClockRect);
    EXPECT_EQ(ParseClockPosition("1,1000001,2,3"), (ClockRect { 1, 0, 300, 100 }));
    EXPECT_EQ(ParseClockPosition("1,-1000000,2,3"), (ClockRect { 1, 2, -1000000, 3 }));
}

TEST(ClockPosition, UsableRectangleHasMinimumWidthAndSomeHeight)
{
    EXPECT_EQ(UsableClockRect({ 10, 20, 310, 120 }), (ClockRect { 10, 20, 310, 120 }));
    EXPECT_EQ(UsableClockRect({ 10, 20, 40, 120 }), (ClockRect { 10, 20, 85, 120 }));
    EXPECT_EQ(UsableClockRect({ 10, 20, 310, 20 }), (ClockRect { 10, 20, 310, 120 }));
    EXPECT_EQ(UsableClockRect({ 0, 0, -1000000, 3 }).Width(), kMinimumClockWidth);
}

TEST(ClockWindowLayout, EdgesAndResizeStopAtMinimumWidth)
{
    EXPECT_EQ(ClockEdgesAt(300, 100, 150, 50), kEdgeNone);
    EXPECT_EQ(ClockEdgesAt(300, 100, 0, 50), kEdgeLeft);
    EXPECT_EQ(ClockEdgesAt(300, 100, 299, 99), kEdgeRight | kEdgeBottom);
    EXPECT_EQ(ClockEdgesAt(300, 100, 4, 2), kEdgeLeft | kEdgeTop);

    const ClockRect start { 100, 100, 400, 200 };
    EXPECT_EQ(ResizeClockRect(start, kEdgeRight, -280, 0), (ClockRect { 100, 100, 175, 200 }));
    // The left edge stops 75 pixels before the right one, which stays where it is.
    EXPECT_EQ(ResizeClockRect(start, kEdgeLeft, 290, 0), (ClockRect { 325, 100, 400, 200 }));
    EXPECT_EQ(ResizeClockRect(start, kEdgeBottom, 0, -500).Height(), 1);
    EXPECT_EQ(ResizeClockRect(start, kEdgeBottom | kEdgeRight, 10, 20),
        (ClockRect { 100, 100, 410, 220 }));
}

TEST(ClockColors, DerivedColoursAndPresets)
{
    EXPECT_EQ(ThreeQuarterChannels(MakeColorRef(0x01, 0x80, 0xFF)), MakeColorRef(0x01, 0x60, 0xC0));
    EXPECT_EQ(ThreeQuarterChannels(MakeColorRef(3, 4, 5)), MakeColorRef(3, 3, 4));
    EXPECT_EQ(HalfChannels(MakeColorRef(0xFF, 0x80, 0x01)), MakeColorRef(0x7F, 0x40, 0x00));
    EXPECT_EQ(MakeColorRef(255, 0, 0), 0x0000FFu);

    const auto preset = [](int command) {
        return std::tuple(
            SegmentColorPreset(command)->active, SegmentColorPreset(command)->inactive);
    };
    EXPECT_EQ(preset(cmd::kBlue), std::tuple(0xFF0000u, 0x300000u));
    EXPECT_EQ(preset(cmd::kGreen), std::tuple(0x00FF00u, 0x003000u));
    EXPECT_EQ(preset(cmd::kRed), std::tuple(0x0000FFu, 0x000030u));
    EXPECT_FALSE(SegmentColorPreset(cmd::kCustomColor).has_value());
}

TEST(ClockHoverText, FourFormats)
{
    const SystemTime afternoon { 2026, 12, 0, 6, 14, 5, 9, 500 }; // a Sunday
    EXPECT_EQ(FormatClockHoverText(afternoon, true, true),
        "Sunday, December 06, 2026 (14:05:09 Local Time)");
    EXPECT_EQ(FormatClockHoverText(afternoon, true, false),
        "Sunday, December 06, 2026 (02:05:09 PM Local Time)");
    EXPECT_EQ(
        FormatClockHoverText(afternoon, false, true), "Sunday, December 06, 2026 (14:05:09 UTC)");
    const SystemTime midnight { 2027, 1, 5, 1, 0, 0, 1, 0 };
    EXPECT_EQ(
        FormatClockHoverText(midnight, false, false), "Friday, January 01, 2027 (12:00:01 AM UTC)");
    EXPECT_EQ(FormatClockDateText(afternoon), "Sunday, December 06, 2026");
}

TEST(DialogUnits, ConvertEdgesWithRounding)
{
    const DialogBaseUnits base { 6, 13 };
    EXPECT_EQ(DialogUnitsToPixelsX(212, base), 318);
    EXPECT_EQ(DialogUnitsToPixelsY(95, base), 154); // 154.375
    EXPECT_EQ(DialogUnitsToPixelsY(7, base), 11); // 11.375
    EXPECT_EQ(DialogRectToPixels(7, 48, 94, 14, base), (ClockRect { 11, 78, 152, 101 }));
}

TEST(ClockMenuState, ChecksAndGraysFromTheSettings)
{
    MemorySettingsStore store;
    ClockMenuState s = ComputeClockMenuState(store, { 1, 1 }, 0, true, false);
    // "Set transparency" is grayed until transparency is on.
    EXPECT_EQ(std::tie(s.menuId, s.checkedColorCommand, s.transparent, s.transparentEnabled,
                  s.setTransparencyEnabled, s.digital, s.analog, s.setPcClockNowEnabled),
        std::tuple(303, cmd::kCustomColor, false, true, false, true, false, false));

    store.WriteProfileInt(keys::kSettings, keys::kClockType, 1);
    store.WriteProfileInt(keys::kSettings, keys::kTransparent, 1);
    store.WriteProfileInt(keys::kSettings, keys::kClockColor, cmd::kRed);
    store.WriteProfileInt(keys::kSettings, keys::kClockAlwayssOnTop, 1);
    s = ComputeClockMenuState(store, { 0, 0 }, 1, true, true);
    EXPECT_EQ(std::tie(s.menuId, s.checkedColorCommand, s.setTransparencyEnabled, s.alwaysOnTop,
                  s.localTime, s.twentyFourHour, s.dayOfYear, s.analog),
        std::tuple(302, cmd::kRed, true, true, false, false, true, true));

    // Without translucency both transparency items are grayed.
    s = ComputeClockMenuState(store, { 1, 1 }, 0, false, true);
    EXPECT_EQ(std::tie(s.transparentEnabled, s.setTransparencyEnabled), std::tuple(false, false));

    store.WriteProfileInt(keys::kSettings, keys::kClockColor, 4711);
    EXPECT_EQ(ComputeClockMenuState(store, { 1, 1 }, 0, true, true).checkedColorCommand, 0);
}
