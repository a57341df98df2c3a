#include "engine/ui/LedLayout.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(LedLayout, PictureIsCentredOrAtTheCorner)
{
    EXPECT_EQ(LedTarget(20, 30), (UiRect { 2, 7, 18, 23 }));
    EXPECT_EQ(LedTarget(16, 16), (UiRect { 0, 0, 16, 16 }));
    EXPECT_EQ(LedTarget(21, 17), (UiRect { 2, 0, 18, 16 })); // odd halves round toward zero
    EXPECT_EQ(LedTarget(12, 40), (UiRect { 0, 0, 16, 16 }));
}

TEST(LedLayout, CellIsStateColumnAndSizePlusColourRow)
{
    EXPECT_EQ(LedSourceCell(led::kGreen, led::kDark, led::kLarge, 0), (UiPoint { 16, 144 }));
    EXPECT_EQ(LedSourceCell(led::kBlue, led::kGreyed, led::kMedium, 0), (UiPoint { 32, 112 }));
    EXPECT_EQ(LedSourceCell(led::kRed, led::kLit, led::kSmall, 0), (UiPoint { 0, 0 }));
    EXPECT_EQ(LedSourceCell(led::kYellow, led::kBlinking, led::kSmall, 1), (UiPoint { 0, 32 }));
    EXPECT_EQ(LedSourceCell(led::kYellow, led::kBlinking, led::kSmall, 0), (UiPoint { 16, 32 }));
}

TEST(LedLayout, StripUsesTheStatedColoursOnMagenta)
{
    // Corners of every cell are transparent; the centres carry the cell's colour.
    for (int y = 0; y < led::kStripHeight; y += 16)
        for (int x = 0; x < led::kStripWidth; x += 16)
            EXPECT_EQ(LedStripPixel(x, y), led::kTransparent);
    const int large = led::kLarge;
    EXPECT_EQ(LedStripPixel(8, large + led::kGreen + 9), 0x00FF00u); // lit
    EXPECT_EQ(LedStripPixel(16 + 8, large + led::kGreen + 8), 0x008000u); // dark
    EXPECT_EQ(LedStripPixel(32 + 8, large + led::kGreen + 8), 0x808080u); // greyed
    EXPECT_EQ(LedStripPixel(8, led::kRed + 8), 0xFF0000u); // small lit red
    EXPECT_EQ(LedStripPixel(16 + 8, led::kMedium + led::kYellow + 8), 0x808000u);
    EXPECT_EQ(LedStripPixel(8, led::kMedium + led::kBlue + 9), 0x0000FFu);
    // Small lamps are smaller than large ones.
    EXPECT_EQ(LedStripPixel(16 + 2, led::kRed + 8), led::kTransparent);
    EXPECT_NE(LedStripPixel(16 + 2, large + led::kRed + 8), led::kTransparent);
    EXPECT_EQ(LedStripPixel(-1, 0), led::kTransparent);
    EXPECT_EQ(LedStripPixel(0, 192), led::kTransparent);
}
