#include "engine/clocks/SevenSegmentLayout.h"

#include <cmath>

namespace velarin {

DigitalClockLayout LayoutDigitalClock(
    const ClockRect& client, int inset, int thickness, bool showDayOfYear)
{
    const int t = thickness;
    DigitalClockLayout layout;
    layout.thickness = t;
    layout.digitArea
        = { client.left + inset, client.top + inset, client.right - inset, client.bottom - inset };
    const ClockRect& area = layout.digitArea;
    const int strokeUnits = showDayOfYear ? 26 : 17;
    const int digitCount = showDayOfYear ? 9 : 6;
    const double width = static_cast<double>(area.Width()) - static_cast<double>(strokeUnits) * t;
    layout.cellWidth = static_cast<int>(std::trunc(width / digitCount));
    layout.advance = layout.cellWidth + t;

    const int cw = layout.cellWidth;
    const int a = layout.advance;
    std::vector<int> groups;
    if (showDayOfYear)
        groups.push_back(3);
    groups.insert(groups.end(), { 2, 2, 2 });

    int x = area.left;
    int digitIndex = 0;
    for (size_t g = 0; g < groups.size(); ++g) {
        for (int j = 0; j < groups[g]; ++j) {
            const int left = x + j * a;
            layout.cells.push_back({ DigitalClockCell::Kind::Digit,
                { left, area.top, left + cw, area.bottom }, digitIndex++ });
        }
        if (g + 1 == groups.size())
            break;
        const int colonLeft = x + (groups[g] - 1) * a + a + t;
        layout.cells.push_back({ DigitalClockCell::Kind::Colon,
            { colonLeft, area.top, colonLeft + 4 * t, area.bottom }, 0 });
        x = colonLeft + 5 * t;
    }
    return layout;
}

uint8_t SegmentMask(char character)
{
    static constexpr uint8_t kDigits[10]
        = { 0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F };
    if (character >= '0' && character <= '9')
        return kDigits[character - '0'];
    return static_cast<uint8_t>(character);
}

std::array<ClockStroke, 7> DigitStrokes(const ClockRect& cell, int thickness)
{
    const int t = thickness;
    const int L = cell.left;
    const int T = cell.top;
    const int w = cell.right - 2 * t - L;
    const int h = (cell.bottom - cell.top) / 2 - 3 * t;
    const int e = t <= 1 ? 1 : 0;
    return { {
        { { L + 2 * t, T + t }, { L + w + e, T + t } }, // a
        { { L + w + t, T + 2 * t }, { L + w + t, T + 2 * t + h + e } }, // b
        { { L + w + t, T + 4 * t + h }, { L + w + t, T + 4 * t + 2 * h + e } }, // c
        { { L + 2 * t, T + 5 * t + 2 * h }, { L + w + e, T + 5 * t + 2 * h } }, // d
        { { L + t, T + 4 * t + h }, { L + t, T + 4 * t + 2 * h + e } }, // e
        { { L + t, T + 2 * t }, { L + t, T + 2 * t + h + e } }, // f
        { { L + 2 * t, T + 3 * t + h }, { L + w + e, T + 3 * t + h } }, // g
    } };
}

std::array<ClockPoint, 2> ColonDots(const ClockRect& cell, int thickness)
{
    const int x = cell.left + 2 * thickness - thickness / 2;
    const int quarter = (cell.bottom - cell.top) / 4;
    return { { { x, cell.top + quarter }, { x, cell.bottom - quarter } } };
}

int ClockWindowThickness(int clientWidth, bool showDayOfYear)
{
    return clientWidth / (showDayOfYear ? 95 : 80);
}

} // namespace velarin
