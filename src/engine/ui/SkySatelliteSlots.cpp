#include "engine/ui/SkySatelliteSlots.h"

#include <cstddef>

namespace velarin {
namespace {

bool SameMarker(const SkySatellite& a, const SkySatellite& b)
{
    return a.prn == b.prn && a.azimuth == b.azimuth && a.elevation == b.elevation
        && a.labelColour == b.labelColour && a.bitmapId == b.bitmapId && a.system == b.system;
}

// Markers above the zenith are not plotted: the full paint skips them, so an update must too or
// the screen would show what a repaint does not.
bool Plotted(const SkySatellite& s)
{
    return s.Visible() && s.elevation <= 90;
}

} // namespace

SkySatelliteSlots::SkySatelliteSlots(uint32_t usedColour)
{
    for (auto& s : satellites)
        s.labelColour = usedColour;
}

std::vector<SkySatelliteSlots::Draw> SkySatelliteSlots::Update(
    uint32_t usedColour, uint32_t trackedColour, int usedBitmap, int trackedBitmap)
{
    std::vector<Draw> draws;
    for (int i = 0; i < kSlots; ++i) {
        SkySatellite& now = satellites[static_cast<std::size_t>(i)];
        SkySatellite& shown = shown_[static_cast<std::size_t>(i)];
        const bool used = now.inUse == 1;
        now.labelColour = used ? usedColour : trackedColour;
        now.bitmapId = used ? usedBitmap : trackedBitmap;
        if (SameMarker(now, shown))
            continue;
        if (Plotted(shown))
            draws.push_back({ i, shown });
        if (Plotted(now))
            draws.push_back({ i, now });
        shown.prn = now.prn;
        shown.azimuth = now.azimuth;
        shown.elevation = now.elevation;
        shown.labelColour = now.labelColour;
        shown.bitmapId = now.bitmapId;
    }
    return draws;
}

std::vector<SkySatelliteSlots::Draw> SkySatelliteSlots::FullPaint() const
{
    std::vector<Draw> draws;
    for (int i = 0; i < kSlots; ++i) {
        const SkySatellite& s = shown_[static_cast<std::size_t>(i)];
        if (Plotted(s))
            draws.push_back({ i, s });
    }
    return draws;
}

} // namespace velarin
