#include "engine/ui/WrappingTabLayout.h"

#include <algorithm>
#include <cstddef>

namespace velarin {
namespace {

// Tab indices of each row, filled left to right; a tab wider than the row gets a row alone.
std::vector<std::vector<size_t>> FillRows(const std::vector<int>& widths, int rowWidth)
{
    std::vector<std::vector<size_t>> rows;
    int used = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        if (rows.empty() || (used + widths[i] > rowWidth && !rows.back().empty())) {
            rows.emplace_back();
            used = 0;
        }
        rows.back().push_back(i);
        used += widths[i];
    }
    return rows;
}

} // namespace

WrappingTabLayout WrappingTabLayout::Compute(
    const std::vector<int>& tabWidths, int rowWidth, int rowHeight, int selected)
{
    WrappingTabLayout layout;
    layout.tabs.resize(tabWidths.size());
    const std::vector<std::vector<size_t>> rows = FillRows(tabWidths, rowWidth);
    const int rowCount = static_cast<int>(rows.size());
    layout.rowCount = rowCount;
    layout.height = rowCount * rowHeight;

    int selectedRow = rowCount - 1;
    for (int r = 0; r < rowCount; ++r)
        for (size_t tab : rows[static_cast<size_t>(r)])
            if (static_cast<int>(tab) == selected)
                selectedRow = r;

    for (int r = 0; r < rowCount; ++r) {
        const std::vector<size_t>& row = rows[static_cast<size_t>(r)];
        int natural = 0;
        for (size_t tab : row)
            natural += tabWidths[tab];
        // A single row keeps its natural widths; stacked rows are justified so that their edges
        // line up. The spare pixels go one each to the first tabs.
        const int spare = rowCount > 1 ? std::max(0, rowWidth - natural) : 0;
        const int count = static_cast<int>(row.size());
        const int top = ((r - selectedRow - 1 + rowCount) % rowCount) * rowHeight;
        int left = 0;
        for (int i = 0; i < count; ++i) {
            const size_t tab = row[static_cast<size_t>(i)];
            const int width = tabWidths[tab] + spare / count + (i < spare % count ? 1 : 0);
            layout.tabs[tab] = UiRect { left, top, left + width, top + rowHeight };
            left += width;
        }
    }
    return layout;
}

int WrappingTabLayout::TabAt(UiPoint point) const
{
    for (size_t i = 0; i < tabs.size(); ++i) {
        const UiRect& tab = tabs[i];
        if (point.x >= tab.left && point.x < tab.right && point.y >= tab.top
            && point.y < tab.bottom)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace velarin
