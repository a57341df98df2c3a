#include "engine/ui/HyperlinkLayout.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(HyperlinkLayout, FitKeepsTheEdgeTheTextIsAlignedTo)
{
    const UiRect control { 100, 50, 300, 70 }; // 200 x 20
    EXPECT_EQ(FitLinkToText(control, 80, 13, LinkTextAlignment::Left, false),
        (UiRect { 100, 50, 180, 63 }));
    EXPECT_EQ(FitLinkToText(control, 80, 13, LinkTextAlignment::Right, false),
        (UiRect { 220, 50, 300, 63 }));
    // Odd spare pixels: the extra one goes below and to the right.
    EXPECT_EQ(FitLinkToText(control, 81, 13, LinkTextAlignment::Centre, true),
        (UiRect { 159, 53, 240, 66 }));
    // Text larger than the control grows it the same way.
    EXPECT_EQ(FitLinkToText(control, 260, 30, LinkTextAlignment::Centre, true),
        (UiRect { 70, 45, 330, 75 }));
}

TEST(HyperlinkLayout, HoverOutranksVisitedWhichOutranksTheLinkColour)
{
    constexpr uint32_t link = 0xEE0000;
    constexpr uint32_t visited = 0x8B1A55;
    constexpr uint32_t hover = 0x0078D7;
    EXPECT_EQ(LinkTextColor(false, false, link, visited, hover), link);
    EXPECT_EQ(LinkTextColor(false, true, link, visited, hover), visited);
    EXPECT_EQ(LinkTextColor(true, true, link, visited, hover), hover);
    EXPECT_EQ(LinkTextColor(true, false, link, visited, hover), hover);
}

TEST(HyperlinkLayout, ErrorMessagesCarryTheReasonForEachResult)
{
    EXPECT_EQ(HyperlinkErrorMessage(31),
        "Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
        "filename extension.");
    // The trailing blank is part of the text.
    EXPECT_EQ(
        HyperlinkErrorMessage(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    // 1 and 4 lie between known results; the lowest integer must not overflow the buffer.
    EXPECT_EQ(HyperlinkErrorMessage(1), "Unable to open hyperlink:\n\nUnknown Error (1) occurred.");
    EXPECT_EQ(HyperlinkErrorMessage(4), "Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
    EXPECT_EQ(HyperlinkErrorMessage(-2147483647 - 1),
        "Unable to open hyperlink:\n\nUnknown Error (-2147483648) occurred.");
}
