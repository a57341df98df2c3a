#include "gui/ui/UiDrawing.h"

#include <QPainter>

#include <algorithm>

namespace velarin {

QColor FromColorRef(uint32_t colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
        static_cast<int>((colorRef >> 16) & 0xFF));
}

QFont PointFont(int tenthsOfPoint)
{
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, tenthsOfPoint * 96 / 720));
    return font;
}

QRect ToQRect(const UiRect& rect)
{
    return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

void Draw3dRect(
    QPainter& painter, const UiRect& rect, const QColor& topLeft, const QColor& bottomRight)
{
    const int w = rect.Width();
    const int h = rect.Height();
    if (w <= 0 || h <= 0)
        return;
    painter.fillRect(rect.left, rect.top, w - 1, 1, topLeft);
    painter.fillRect(rect.left, rect.top, 1, h - 1, topLeft);
    painter.fillRect(rect.right - 1, rect.top, 1, h, bottomRight);
    painter.fillRect(rect.left, rect.bottom - 1, w, 1, bottomRight);
}

QRect DluRect(int x, int y, int width, int height)
{
    return QRect(DluX(x), DluY(y), DluX(width), DluY(height));
}

} // namespace velarin
