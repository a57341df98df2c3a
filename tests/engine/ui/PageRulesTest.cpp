// The small rules of the property pages: field texts, port choices, file filters, lamps, links.
#include "engine/ui/DialogFieldInt.h"
#include "engine/ui/FileDialogFilter.h"
#include "engine/ui/GpsConfigurationRules.h"
#include "engine/ui/HyperlinkLayout.h"
#include "engine/ui/LedLayout.h"
#include "engine/ui/NetworkStatusText.h"

#include <gtest/gtest.h>

#include <climits>

namespace velarin {
namespace {

using Texts = std::vector<std::string>;

TEST(NetworkStatusText, OneTextForEachState)
{
    for (int bits = 0; bits < 4; ++bits)
        EXPECT_STREQ(NetworkStatusText(0, bits & 1, bits >> 1), "Disabled");
    EXPECT_STREQ(NetworkStatusText(1, true, 0), "Nominal");
    EXPECT_STREQ(NetworkStatusText(1, true, 1), "Cannot connect to network time server");
    EXPECT_STREQ(NetworkStatusText(1, false, 0), "No Internet connection");
    EXPECT_STREQ(NetworkStatusText(1, false, 1), "No Internet connection");
}

TEST(DialogFieldInt, SignedWholeNumbersElseZeroAndSixteenBitSettings)
{
    // No range check: the socket layer refuses a port of 70000.
    const std::pair<const char*, int> numbers[] = { { "13", 13 }, { "  1313 ", 1313 }, { "-5", -5 },
        { "+70000", 70000 }, { "2147483647", INT_MAX }, { "-2147483648", INT_MIN } };
    for (auto [text, value] : numbers)
        EXPECT_EQ(DialogFieldInt(text), value) << text;
    for (const char* text :
        { "", " ", "-", "12a", "a12", "1 2", "0x10", "2147483648", "99999999999999999999" })
        EXPECT_EQ(DialogFieldInt(text), 0) << text;

    const std::pair<int, int> kept[] = { { 0, 0 }, { 65535, 65535 }, { 65536, 0 }, { 70000, 4464 },
        { -1, 65535 }, { INT_MIN, 0 }, { INT_MAX, 65535 } };
    for (auto [value, low] : kept)
        EXPECT_EQ(gpsconfig::KeepIn16Bits(value), low) << value;
}

TEST(GpsConfigurationRules, CommPortTextIsANumberOrADevicePath)
{
    using namespace gpsconfig;
    // Any typed number is taken, nonsense reads as 0 (which opens nothing: "not found").
    const CommPortChoice number = CommPortFromText("5", 2);
    EXPECT_EQ(std::tie(number.port, number.device), std::tuple(5, ""));
    EXPECT_EQ(CommPortFromText("40", 2).port, 40);
    EXPECT_EQ(CommPortFromText("COM3", 2).port, 0);
    EXPECT_EQ(CommPortFromText("", 2).port, 0);
    const CommPortChoice path = CommPortFromText("  /dev/ttyUSB0 ", 2);
    EXPECT_EQ(std::tie(path.port, path.device), std::tuple(2, "/dev/ttyUSB0"));

    EXPECT_EQ(CommPortText(3, ""), "3");
    EXPECT_EQ(CommPortText(3, "/dev/ttyACM0"), "/dev/ttyACM0");
    const Texts items = CommPortItems({ "/dev/ttyUSB0" });
    ASSERT_EQ(items.size(), 17u);
    EXPECT_EQ(
        std::tie(items.front(), items[15], items.back()), std::tuple("1", "16", "/dev/ttyUSB0"));
}

TEST(FileDialogFilter, PairsBecomeNameFilters)
{
    EXPECT_EQ(FileDialogNameFilters("Text Fils (NMEA) (*.txt)|*.txt|All Files (*.*)|*.*||"),
        (Texts { "Text Fils (NMEA) (*.txt)", "All Files (*.*)" }));
    // Patterns not shown in the description are added; ';' lists become blank-separated.
    EXPECT_EQ(
        FileDialogNameFilters("Captures|*.txt;*.nmea||"), Texts { "Captures (*.txt *.nmea)" });
    // Without the closing bars, and with a description that has no patterns.
    EXPECT_EQ(FileDialogNameFilters("Logs (*.log)|*.log|Dangling"), Texts { "Logs (*.log)" });
    EXPECT_TRUE(FileDialogNameFilters("").empty());
    EXPECT_TRUE(FileDialogNameFilters("||A|*.a").empty());
}

TEST(LedLayout, PictureCellsAndStripColours)
{
    EXPECT_EQ(LedTarget(20, 30), (UiRect { 2, 7, 18, 23 }));
    EXPECT_EQ(LedTarget(16, 16), (UiRect { 0, 0, 16, 16 }));
    EXPECT_EQ(LedTarget(21, 17), (UiRect { 2, 0, 18, 16 })); // odd halves round toward zero
    EXPECT_EQ(LedTarget(12, 40), (UiRect { 0, 0, 16, 16 }));

    // The cell is the state's column and the size plus the colour's row.
    EXPECT_EQ(LedSourceCell(led::kGreen, led::kDark, led::kLarge, 0), (UiPoint { 16, 144 }));
    EXPECT_EQ(LedSourceCell(led::kBlue, led::kGreyed, led::kMedium, 0), (UiPoint { 32, 112 }));
    EXPECT_EQ(LedSourceCell(led::kRed, led::kLit, led::kSmall, 0), (UiPoint { 0, 0 }));
    EXPECT_EQ(LedSourceCell(led::kYellow, led::kBlinking, led::kSmall, 1), (UiPoint { 0, 32 }));
    EXPECT_EQ(LedSourceCell(led::kYellow, led::kBlinking, led::kSmall, 0), (UiPoint { 16, 32 }));

    // Corners of every cell are transparent magenta; the centres carry the cell's colour.
    for (int y = 0; y < led::kStripHeight; y += 16)
        for (int x = 0; x < led::kStripWidth; x += 16)
            EXPECT_EQ(LedStripPixel(x, y), led::kTransparent);
    const int large = led::kLarge;
    const std::tuple<int, int, uint32_t> pixels[] = { { 8, large + led::kGreen + 9, 0x00FF00u },
        { 16 + 8, large + led::kGreen + 8, 0x008000u },
        { 32 + 8, large + led::kGreen + 8, 0x808080u }, { 8, led::kRed + 8, 0xFF0000u },
        { 16 + 8, led::kMedium + led::kYellow + 8, 0x808000u },
        { 8, led::kMedium + led::kBlue + 9, 0x0000FFu },
        // Small lamps are smaller than large ones.
        { 16 + 2, led::kRed + 8, led::kTransparent }, { -1, 0, led::kTransparent },
        { 0, 192, led::kTransparent } };
    for (auto [x, y, colour] : pixels)
        EXPECT_EQ(LedStripPixel(x, y), colour) << x << "," << y;
    EXPECT_NE(LedStripPixel(16 + 2, large + led::kRed + 8), led::kTransparent);
}

TEST(HyperlinkLayout, FitColourAndErrorTexts)
{
    // The fit keeps the edge the text is aligned to; odd spare pixels go below and to the right;
    // text larger than the control grows it the same way.
    const UiRect control { 100, 50, 300, 70 }; // 200 x 20
    EXPECT_EQ(FitLinkToText(control, 80, 13, LinkTextAlignment::Left, false),
        (UiRect { 100, 50, 180, 63 }));
    EXPECT_EQ(FitLinkToText(control, 80, 13, LinkTextAlignment::Right, false),
        (UiRect { 220, 50, 300, 63 }));
    EXPECT_EQ(FitLinkToText(control, 81, 13, LinkTextAlignment::Centre, true),
        (UiRect { 159, 53, 240, 66 }));
    EXPECT_EQ(FitLinkToText(control, 260, 30, LinkTextAlignment::Centre, true),
        (UiRect { 70, 45, 330, 75 }));

    // Hover outranks visited, which outranks the link colour.
    constexpr uint32_t link = 0xEE0000, visited = 0x8B1A55, hover = 0x0078D7;
    EXPECT_EQ(LinkTextColor(false, false, link, visited, hover), link);
    EXPECT_EQ(LinkTextColor(false, true, link, visited, hover), visited);
    EXPECT_EQ(LinkTextColor(true, true, link, visited, hover), hover);
    EXPECT_EQ(LinkTextColor(true, false, link, visited, hover), hover);

    const std::string prefix = "Unable to open hyperlink:\n\n";
    EXPECT_EQ(HyperlinkErrorMessage(31),
        prefix + "There is no application associated\nwith the given filename extension.");
    // The trailing blank is part of the text.
    EXPECT_EQ(HyperlinkErrorMessage(26), prefix + "A sharing violation occurred. ");
    // 1 and 4 lie between known results; the lowest integer must not overflow the buffer.
    EXPECT_EQ(HyperlinkErrorMessage(1), prefix + "Unknown Error (1) occurred.");
    EXPECT_EQ(HyperlinkErrorMessage(4), prefix + "Unknown Error (4) occurred.");
    EXPECT_EQ(HyperlinkErrorMessage(INT_MIN), prefix + "Unknown Error (-2147483648) occurred.");
}

} // namespace
} // namespace velarin
