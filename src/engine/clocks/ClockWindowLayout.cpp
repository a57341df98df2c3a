#include "engine/clocks/ClockWindowLayout.h"

#include "engine/clocks/ClockPosition.h"

#include <algorithm>

namespace velarin {

int ClockEdgesAt(int width, int height, int x, int y, int band)
{
    int edges = kEdgeNone;
    if (x < band)
        edges |= kEdgeLeft;
    else if (x >= width - band)
        edges |= kEdgeRight;
    if (y < band)
        edges |= kEdgeTop;
    else if (y >= height - band)
        edges |= kEdgeBottom;
    return edges;
}

ClockRect ResizeClockRect(const ClockRect& start, int edges, int dx, int dy)
{
    ClockRect r = start;
    if (edges & kEdgeLeft)
        r.left = std::min(start.left + dx, start.right - kMinimumClockWidth);
    if (edges & kEdgeRight)
        r.right = std::max(start.right + dx, start.left + kMinimumClockWidth);
    if (edges & kEdgeTop)
        r.top = std::min(start.top + dy, start.bottom - 1);
    if (edges & kEdgeBottom)
        r.bottom = std::max(start.bottom + dy, start.top + 1);
    return r;
}

} // namespace velarin
