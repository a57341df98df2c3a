#include "engine/ui/SignalBarLayout.h"

#include <algorithm>
#include <cmath>

namespace velarin {

void SignalBarScale::Update(const std::array<SignalBarEntry, kMaxEntries>& entries, int count)
{
    count = std::clamp(count, 0, kMaxEntries);
    for (int i = 0; i < count; ++i) {
        const int snr = entries[static_cast<size_t>(i)].snr;
        if (snr == 0)
            continue;
        maximumSeen = std::max(maximumSeen, snr);
        minimumSeen = std::min(minimumSeen, snr);
    }
    if (automaticRange == 1) {
        displayMaximum = maximumSeen;
        displayMinimum = minimumSeen;
    }
}

void SignalBarScale::ResetMinMax()
{
    maximumSeen = -999;
    minimumSeen = 999;
}

int SignalBarScale::BarHeight(int snr, int areaHeight) const
{
    int v = std::min(snr, displayMaximum);
    if (v < displayMinimum)
        v = displayMinimum;
    const double span = static_cast<double>(displayMaximum) - displayMinimum;
    // Equal limits (a single distinct value, or nothing seen yet) leave every bar empty; an
    // inverted range (nothing seen since a reset) must not draw a bar downwards either.
    if (!(span > 0.0))
        return 0;
    const double height = static_cast<double>(areaHeight) / span * (v - displayMinimum);
    return static_cast<int>(std::trunc(height));
}

int SignalBarFontTenths(int clientWidth)
{
    return std::max((clientWidth - 2) / 3, 60);
}

int SignalBarPitch(int clientWidth, int count)
{
    if (count <= 0)
        return 0;
    return (clientWidth - 2) / count;
}

SignalBarGeometry SignalBarAt(
    int clientWidth, int clientHeight, int count, int index, int textHeight, int barHeight)
{
    const UiRect inner { 1, 1, clientWidth - 1, clientHeight - 1 };
    const int pitch = SignalBarPitch(clientWidth, count);
    SignalBarGeometry g;
    g.frame = { inner.left + 1 + index * pitch, inner.top + 1, inner.left + (index + 1) * pitch,
        inner.bottom - textHeight };
    g.area = { inner.left + index * pitch + 2, inner.top + 2, inner.left + (index + 1) * pitch - 2,
        inner.bottom - textHeight - 1 };
    g.empty = { g.area.left, g.area.top, g.area.right, g.area.bottom - barHeight };
    g.level = { g.area.left, g.area.bottom - barHeight - 1, g.area.right, g.area.bottom };
    g.label = { g.area.left, g.area.bottom + 2, g.area.right + 1, g.area.bottom + 2 + textHeight };
    return g;
}

} // namespace velarin
