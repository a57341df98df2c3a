#pragma once

#include "engine/ui/UiGeometry.h"

#include <vector>

namespace velarin {

// Where the tabs of a property sheet go when they do not fit in one row: they wrap into stacked
// rows of equal height, every row but a lone one stretched to the full width, and the row that
// holds the selected tab sits at the bottom, next to the page (the rows above it rotate, so the
// order of the tabs reads the same from any selection).
struct WrappingTabLayout {
    std::vector<UiRect> tabs; // in tab order
    int rowCount = 0;
    int height = 0; // rowCount * rowHeight

    // tabWidths: each title's natural width; rowWidth: the room across; selected: -1 for none.
    static WrappingTabLayout Compute(
        const std::vector<int>& tabWidths, int rowWidth, int rowHeight, int selected);
    // The tab under a point, or -1.
    int TabAt(UiPoint point) const;
};

} // namespace velarin
