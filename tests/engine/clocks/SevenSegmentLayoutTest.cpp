#include "engine/clocks/SevenSegmentLayout.h"
#include "engine/clocks/DigitalClockText.h"

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

SystemTime at(int year, int month, int day, int hour, int minute, int second)
{
    return { static_cast<uint16_t>(year), static_cast<uint16_t>(month), 0,
        static_cast<uint16_t>(day), static_cast<uint16_t>(hour), static_cast<uint16_t>(minute),
        static_cast<uint16_t>(second), 0 };
}

} // namespace

TEST(SevenSegmentLayout, Width300Thickness3PlacesSixDigitsAndTwoColons)
{
    const auto layout = LayoutDigitalClock({ 0, 0, 300, 100 }, 5, 3, false);
    EXPECT_EQ(layout.digitArea, (ClockRect { 5, 5, 295, 95 }));
    EXPECT_EQ(layout.digitArea.Width(), 290);
    EXPECT_EQ(layout.cellWidth, 39);
    EXPECT_EQ(layout.advance, 42);
    EXPECT_EQ(lefts(layout, DigitalClockCell::Kind::Digit),
        (std::vector<int> { 5, 47, 107, 149, 209, 251 }));
    EXPECT_EQ(lefts(layout, DigitalClockCell::Kind::Colon), (std::vector<int> { 92, 194 }));
    // 239 does not divide by 6, so the last digit ends one pixel short of the area.
    EXPECT_EQ(layout.cells.back().rect.right, 5 + 6 * 39 + 17 * 3);
    for (const auto& cell : layout.cells) {
        EXPECT_EQ(cell.rect.top, 5);
        EXPECT_EQ(cell.rect.bottom, 95);
    }
}

TEST(SevenSegmentLayout, LastDigitEndsOnTheRightEdgeWhenTheWidthDividesEvenly)
{
    // W - 17t = 291 - 51 = 240 = 6 * 40.
    const auto plain = LayoutDigitalClock({ 0, 0, 301, 80 }, 5, 3, false);
    EXPECT_EQ(plain.cellWidth, 40);
    EXPECT_EQ(plain.cells.back().rect.right, plain.digitArea.right);

    // With the day of the year: W - 26t = 370 - 208 = 162 = 9 * 18.
    const auto withDay = LayoutDigitalClock({ 0, 0, 380, 80 }, 5, 8, true);
    EXPECT_EQ(withDay.cellWidth, 18);
    EXPECT_EQ(lefts(withDay, DigitalClockCell::Kind::Digit).size(), 9u);
    EXPECT_EQ(lefts(withDay, DigitalClockCell::Kind::Colon).size(), 3u);
    EXPECT_EQ(withDay.cells.back().rect.right, withDay.digitArea.right);
    // Day digits at x, x + a, x + 2a; the colon a + t after the third.
    EXPECT_EQ(lefts(withDay, DigitalClockCell::Kind::Digit)[2], 5 + 2 * 26);
    EXPECT_EQ(lefts(withDay, DigitalClockCell::Kind::Colon)[0], 5 + 3 * 26 + 8);
}

TEST(SevenSegmentLayout, TooNarrowTruncatesTowardZeroWithoutClamping)
{
    const auto layout = LayoutDigitalClock({ 0, 0, 40, 20 }, 5, 3, false);
    EXPECT_EQ(layout.cellWidth, -3); // trunc((30 - 51) / 6)
    EXPECT_EQ(layout.advance, 0);
}

TEST(SevenSegmentLayout, StrokesFollowTheCellAndOnePixelPensLengthenByOne)
{
    const ClockRect cell { 10, 20, 50, 80 };
    // t = 2: w = 40 - 4 = 36, h = 30 - 6 = 24, e = 0.
    const auto thick = DigitStrokes(cell, 2);
    EXPECT_EQ(thick[0], (ClockStroke { { 14, 22 }, { 46, 22 } })); // a
    EXPECT_EQ(thick[1], (ClockStroke { { 48, 24 }, { 48, 48 } })); // b
    EXPECT_EQ(thick[2], (ClockStroke { { 48, 52 }, { 48, 76 } })); // c
    EXPECT_EQ(thick[3], (ClockStroke { { 14, 78 }, { 46, 78 } })); // d
    EXPECT_EQ(thick[4], (ClockStroke { { 12, 52 }, { 12, 76 } })); // e
    EXPECT_EQ(thick[5], (ClockStroke { { 12, 24 }, { 12, 48 } })); // f
    EXPECT_EQ(thick[6], (ClockStroke { { 14, 50 }, { 46, 50 } })); // g

    // t = 1: w = 38, h = 27, and every end point moves one pixel further.
    const auto thin = DigitStrokes(cell, 1);
    EXPECT_EQ(thin[0], (ClockStroke { { 12, 21 }, { 49, 21 } }));
    EXPECT_EQ(thin[1], (ClockStroke { { 49, 22 }, { 49, 50 } }));
    EXPECT_EQ(thin[4], (ClockStroke { { 11, 51 }, { 11, 79 } }));
    EXPECT_EQ(thin[6], (ClockStroke { { 12, 50 }, { 49, 50 } }));
}

TEST(SevenSegmentLayout, SegmentMasksAndColonDots)
{
    const uint8_t expected[10] = { 0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F };
    for (int d = 0; d < 10; ++d)
        EXPECT_EQ(SegmentMask(static_cast<char>('0' + d)), expected[d]);
    // Any other character lights the segments its code names.
    EXPECT_EQ(SegmentMask('A'), 0x41);
    EXPECT_EQ(SegmentMask('-') & 0x7F, 0x2D);

    const auto dots = ColonDots({ 92, 5, 104, 95 }, 3);
    EXPECT_EQ(dots[0], (ClockPoint { 92 + 6 - 1, 5 + 22 }));
    EXPECT_EQ(dots[1], (ClockPoint { 92 + 6 - 1, 95 - 22 }));
}

TEST(SevenSegmentLayout, ClockWindowThicknessFromClientWidth)
{
    EXPECT_EQ(std::tuple(ClockWindowThickness(300, false), ClockWindowThickness(300, true),
                  ClockWindowThickness(800, false), ClockWindowThickness(800, true),
                  ClockWindowThickness(75, false)),
        std::tuple(3, 3, 10, 8, 0));
}

TEST(DigitalClockText, TwelveHourModeKeepsZeroAndTwelveAndTheDayOfYearIsGregorian)
{
    const std::tuple<int, int, int, bool, const char*> digits[] = { { 0, 5, 9, false, "000509" },
        { 12, 0, 0, false, "120000" }, { 23, 59, 59, false, "115959" },
        { 13, 30, 0, false, "013000" }, { 23, 59, 59, true, "235959" } };
    for (auto [hour, minute, second, twentyFour, text] : digits)
        EXPECT_EQ(
            DigitalClockDigits(at(2026, 1, 1, hour, minute, second), twentyFour, false), text);
    EXPECT_EQ(DigitalClockDigits(at(2024, 3, 1, 1, 2, 3), true, true), "061010203");
    // 2100 is not a leap year; a record with no month cannot index past the table.
    const std::tuple<int, int, int, int> days[]
        = { { 2023, 3, 1, 60 }, { 2000, 3, 1, 61 }, { 2100, 3, 1, 60 }, { 2024, 12, 31, 366 },
              { 2024, 2, 29, 60 }, { 2000, 1, 1, 1 }, { 2024, 0, 5, 5 }, { 2024, 13, 5, 5 } };
    for (auto [year, month, day, dayOfYear] : days)
        EXPECT_EQ(DayOfYear(at(year, month, day, 0, 0, 0)), dayOfYear) << year << "-" << month;
}
