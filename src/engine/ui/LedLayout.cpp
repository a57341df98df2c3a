#include "engine/ui/LedLayout.h"

namespace velarin {

UiRect LedTarget(int clientWidth, int clientHeight)
{
    // The picture is copied 16 x 16 from the corner of the shrunk rectangle, which is one pixel
    // wider or taller than the picture when the margin is odd.
    UiPoint corner;
    if (clientWidth >= led::kCell && clientHeight >= led::kCell)
        corner = { (clientWidth - led::kCell) / 2, (clientHeight - led::kCell) / 2 };
    return { corner.x, corner.y, corner.x + led::kCell, corner.y + led::kCell };
}

UiPoint LedSourceCell(int colour, int state, int size, int blinkPhase)
{
    int column = led::kCell * state;
    if (state == led::kBlinking)
        column = blinkPhase == 1 ? 0 : led::kCell;
    return { column, size + colour };
}

uint32_t LedStripPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= led::kStripWidth || y >= led::kStripHeight)
        return led::kTransparent;
    static constexpr uint32_t kBright[4] = { 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF };
    static constexpr uint32_t kHalf[4] = { 0x800000, 0x008000, 0x808000, 0x000080 };
    static constexpr int kRadiusTimesTwo[3] = { 7, 11, 15 }; // diameters of the three bands

    const int state = x / led::kCell;
    const int band = y / 64;
    const int colour = (y % 64) / led::kCell;
    // Distances doubled so that the lamp centres on the cell's middle (7.5, 7.5).
    const int dx = 2 * (x % led::kCell) - 15;
    const int dy = 2 * (y % led::kCell) - 15;
    const int d2 = dx * dx + dy * dy;
    const int r = kRadiusTimesTwo[band];
    if (d2 > r * r)
        return led::kTransparent;
    if (d2 > (r - 2) * (r - 2))
        return 0x000000;
    if (state == 0) {
        // Glint up and to the left of the centre.
        const int gx = dx + r / 3;
        const int gy = dy + r / 3;
        if (gx * gx + gy * gy <= (r / 4 + 1) * (r / 4 + 1))
            return 0xFFFFFF;
        return kBright[colour];
    }
    if (state == 1)
        return kHalf[colour];
    return 0x808080;
}

} // namespace velarin
