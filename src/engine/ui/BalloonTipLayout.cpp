#include "engine/ui/BalloonTipLayout.h"

namespace velarin {

BalloonShape ComputeBalloonShape(int width, int height, int cursorY)
{
    const int p = width - width / 3;
    BalloonShape shape;
    shape.pointerAtTop = cursorY - height < 0;
    if (!shape.pointerAtTop) {
        shape.textArea = UiRect { 0, 0, width, height - 15 }.Shrunk(7, 7);
        shape.pointer = { UiPoint { p + 7, height }, UiPoint { p - 7, height - 15 },
            UiPoint { p + 7, height - 15 } };
        shape.body = { 0, 0, width, height - 14 };
        shape.xOffset = -(p + 7);
        shape.yOffset = -height;
    } else {
        shape.textArea = UiRect { 0, 15, width, height }.Shrunk(7, 7);
        shape.pointer = { UiPoint { p + 7, 0 }, UiPoint { p - 7, 15 }, UiPoint { p + 7, 15 } };
        shape.body = { 0, 15, width, height };
        shape.xOffset = -(p + 7);
        shape.yOffset = 0;
    }
    return shape;
}

UiPoint PlaceBalloon(const BalloonShape& shape, UiPoint cursor, int width, int height,
    int screenWidth, int screenHeight)
{
    UiPoint at { cursor.x + shape.xOffset, cursor.y + shape.yOffset };
    if (at.x + width > screenWidth)
        at.x = screenWidth - width;
    if (at.x < 0)
        at.x = 0;
    if (at.y + height > screenHeight)
        at.y = screenHeight - height;
    if (at.y < 0)
        at.y = 0;
    return at;
}

UiRect CentreText(const UiRect& area, int textWidth, int textHeight)
{
    const int left = area.left + (area.Width() / 2 - textWidth / 2);
    const int top = area.top + (area.Height() / 2 - textHeight / 2);
    return { left, top, left + textWidth, top + textHeight };
}

} // namespace velarin
