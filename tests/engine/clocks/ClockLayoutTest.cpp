#include "engine/clocks/AnalogClockLayout.h"
#include "engine/clocks/ClockHoverText.h"
#include "engine/clocks/ClockPosition.h"
#include "engine/clocks/ClockWindowLayout.h"
#include "engine/clocks/DigitalClockText.h"
#include "engine/clocks/SevenSegmentLayout.h"

#include <gtest/gtest.h>

using namespace velarin;

namespace {

std::vector<int> lefts(const DigitalClockLayout& layout, DigitalClockCell::Kind kind)
{
    std::vector<int> result;
    for (const auto& cell : layout.cells)
        if (cell.kind == kind)
            result.push_back(cell.rect.left);
    return result;
}

} // namespace

TEST(SevenSegmentLayout, LastDigitEndsOnTheRightEdgeWhenTheWidthDividesEvenly)
{
    // W - 17t = 291 - 51 = 240 = 6 * 40.
    const auto plain = LayoutDigitalClock({ 0, 0, 301, 80 }, 5, 3, false);
    EXPECT_EQ(plain.cells.back().rect.right, plain.digitArea.right);

    // With the day of the year: W - 26t = 370 - 208 = 162 = 9 * 18.
    const auto withDay = LayoutDigitalClock({ 0, 0, 380, 80 }, 5, 8, true);
    EXPECT_EQ(withDay.cellWidth, 18);
    EXPECT_EQ(withDay.cells.back().rect.right, withDay.digitArea.right);
    // Day digits at x, x + a, x + 2a; the colon a + t after the third.
    EXPECT_EQ(lefts(withDay, DigitalClockCell::Kind::Digit)[2], 5 + 2 * 26);
    EXPECT_EQ(lefts(withDay, DigitalClockCell::Kind::Colon)[0], 5 + 3 * 26 + 8);
}

TEST(DigitalClockText, TwelveHourModeKeepsZeroAndTwelveTheDayOfYearIsGregorianAndHoverTexts)
{
    const std::tuple<uint16_t, uint16_t, uint16_t, bool, const char*> digits[]
        = { { 0, 5, 9, false, "000509" }, { 12, 0, 0, false, "120000" },
              { 23, 59, 59, false, "115959" }, { 13, 30, 0, false, "013000" },
              { 23, 59, 59, true, "235959" } };
    for (auto [hour, minute, second, twentyFour, text] : digits)
        EXPECT_EQ(
            DigitalClockDigits({ 2026, 1, 0, 1, hour, minute, second }, twentyFour, false), text);
    EXPECT_EQ(DigitalClockDigits({ 2024, 3, 0, 1, 1, 2, 3, 0 }, true, true), "061010203");
    // 2100 is not a leap year; a record with no month cannot index past the table.
    const std::tuple<uint16_t, uint16_t, uint16_t, int> days[]
        = { { 2023, 3, 1, 60 }, { 2000, 3, 1, 61 }, { 2100, 3, 1, 60 }, { 2024, 12, 31, 366 },
              { 2024, 2, 29, 60 }, { 2000, 1, 1, 1 }, { 2024, 0, 5, 5 }, { 2024, 13, 5, 5 } };
    for (auto [year, month, day, dayOfYear] : days)
        EXPECT_EQ(DayOfYear({ year, month, 0, day }), dayOfYear) << year << "-" << month;
    // The hover text: twenty-four-hour local and twelve-hour UTC.
    const SystemTime afternoon { 2026, 12, 0, 6, 14, 5, 9, 500 }; // a Sunday
    EXPECT_EQ(FormatClockHoverText(afternoon, true, true),
        "Sunday, December 06, 2026 (14:05:09 Local Time)");
    const SystemTime midnight { 2027, 1, 5, 1, 0, 0, 1, 0 };
    EXPECT_EQ(
        FormatClockHoverText(midnight, false, false), "Friday, January 01, 2027 (12:00:01 AM UTC)");
}

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
    EXPECT_EQ(LayoutAnalogFace({ 0, 0, 200, 100 }).square, (ClockRect { 55, 5, 145, 95 }));
}

TEST(ClockPosition, EdgeBandsResizeWithinTheLimitsAndMalformedFieldsKeepTheirDefaults)
{
    // The bottom-right corner grabs two edges; dragged past the opposite ones, the width stops at
    // the minimum and the height at one pixel, and the top edge likewise stops above the bottom.
    EXPECT_EQ(ClockEdgesAt(300, 100, 297, 96), kEdgeRight | kEdgeBottom);
    EXPECT_EQ(ClockEdgesAt(300, 100, 150, 50), kEdgeNone);
    EXPECT_EQ(ResizeClockRect({ 10, 20, 310, 120 }, kEdgeRight | kEdgeBottom, -1000, -1000),
        (ClockRect { 10, 20, 10 + kMinimumClockWidth, 21 }));
    EXPECT_EQ(
        ResizeClockRect({ 10, 20, 310, 120 }, kEdgeTop, 0, 500), (ClockRect { 10, 119, 310, 120 }));

    EXPECT_EQ(ParseClockPosition("10,abc,20,120"), (ClockRect { 10, 0, 300, 100 }));
    EXPECT_EQ(ParseClockPosition("10 ,310,20,120"), (ClockRect { 10, 0, 300, 100 }));
    EXPECT_EQ(ParseClockPosition("10,310,20,120,99"), (ClockRect { 10, 20, 310, 120 }));
    // Numbers no screen has, even those that would overflow an int, are malformed.
    EXPECT_EQ(ParseClockPosition("99999999999999999999,1,2,3"), kDefaultClockRect);
    EXPECT_EQ(ParseClockPosition("1,1000001,2,3"), (ClockRect { 1, 0, 300, 100 }));
    EXPECT_EQ(ParseClockPosition("1,-1000000,2,3"), (ClockRect { 1, 2, -1000000, 3 }));
}
