#pragma once

#include "engine/clocks/ClockGeometry.h"

namespace velarin {

// The clock window has no frame of its own to grab, so a band along its edges resizes it.
enum ClockEdge { kEdgeNone = 0, kEdgeLeft = 1, kEdgeTop = 2, kEdgeRight = 4, kEdgeBottom = 8 };
inline constexpr int kClockResizeBand = 5;

// Which edges (a combination of ClockEdge bits) a point in a width × height window grabs.
int ClockEdgesAt(int width, int height, int x, int y, int band = kClockResizeBand);

// The rectangle after moving the grabbed edges by (dx, dy). The width stops at the minimum by
// holding the grabbed edge, so the opposite edge never moves; heights are not limited beyond
// one pixel.
ClockRect ResizeClockRect(const ClockRect& start, int edges, int dx, int dy);

} // namespace velarin
