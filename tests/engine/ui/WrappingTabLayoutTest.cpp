#include "engine/ui/WrappingTabLayout.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(WrappingTabLayout, RowsWrapJustifyAndPutTheSelectedRowNextToThePage)
{
    struct Case {
        const char* name;
        std::vector<int> widths;
        int selected;
        std::vector<UiRect> tabs;
        int rows;
    };
    const std::vector<Case> cases {
        { "one row keeps natural widths", { 30, 40 }, 0, { { 0, 0, 30, 10 }, { 30, 0, 70, 10 } },
            1 },
        { "wrapped rows fill the width, spare pixels to the first tabs", { 40, 30, 50, 45 }, 3,
            { { 0, 0, 55, 10 }, { 55, 0, 100, 10 }, { 0, 10, 53, 20 }, { 53, 10, 100, 20 } }, 2 },
        { "selecting in the first row rotates it to the bottom", { 40, 30, 50, 45 }, 1,
            { { 0, 10, 55, 20 }, { 55, 10, 100, 20 }, { 0, 0, 53, 10 }, { 53, 0, 100, 10 } }, 2 },
        { "a tab wider than the row stands alone", { 120, 20 }, -1,
            { { 0, 0, 120, 10 }, { 0, 10, 100, 20 } }, 2 },
    };
    for (const Case& c : cases) {
        const WrappingTabLayout layout = WrappingTabLayout::Compute(c.widths, 100, 10, c.selected);
        EXPECT_EQ(layout.tabs, c.tabs) << c.name;
        EXPECT_EQ(layout.rowCount, c.rows) << c.name;
        EXPECT_EQ(layout.height, c.rows * 10) << c.name;
    }
    const WrappingTabLayout rows = WrappingTabLayout::Compute({ 40, 30, 50, 45 }, 100, 10, 3);
    EXPECT_EQ(rows.TabAt({ 99, 19 }), 3);
    EXPECT_EQ(rows.TabAt({ 100, 5 }), -1);
}
