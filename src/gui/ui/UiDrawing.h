#pragma once

#include "engine/ui/UiGeometry.h"

#include <QColor>
#include <QFont>
#include <QRect>

#include <cstdint>

class QPainter;

namespace velarin {

// A stored colour value 0x00BBGGRR (red in the low byte).
QColor FromColorRef(uint32_t colorRef);

// "Arial" (a metric-compatible face where Arial itself is absent) at a size in tenths of a point
// on a 96 dpi screen, as the drawings were measured.
QFont PointFont(int tenthsOfPoint);

// Layout rectangles have exclusive right and bottom edges.
QRect ToQRect(const UiRect& rect);

// A one-pixel 3-D frame: top and left in one colour, bottom and right in the other.
void Draw3dRect(
    QPainter& painter, const UiRect& rect, const QColor& topLeft, const QColor& bottomRight);

// Dialog units of the page templates in pixels (8-point dialog font: 6 x 13 base units).
inline int DluX(int x)
{
    return x * 3 / 2;
}
inline int DluY(int y)
{
    return y * 13 / 8;
}
QRect DluRect(int x, int y, int width, int height);

} // namespace velarin
