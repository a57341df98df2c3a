#include "engine/ui/SkyViewLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velarin {
namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

int Trunc(double value)
{
    return static_cast<int>(std::trunc(value));
}

// "º" (the masculine ordinal), as the drawings label rings and spokes.
std::string DegreeLabel(int value)
{
    return std::to_string(value) + "\xC2\xBA";
}

} // namespace

const char* const kSatelliteIconRows[kSatelliteIconHeight] = {
    "##.....##",
    "##.....##",
    "##.###.##",
    "#########",
    "##.###.##",
    "##.....##",
    "##.....##",
};

UiPoint SkyPlot::PolarToPoint(double azimuth, double elevation) const
{
    const double scale = r / 90.0;
    const double rho = (90.0 - elevation) * scale;
    const double a = azimuth * kRadiansPerDegree;
    return { Trunc(std::sin(a) * rho) + Trunc(cx), Trunc(-std::cos(a) * rho) + Trunc(cy) };
}

UiRect SkyPlot::HorizonEllipse() const
{
    const int ri = Trunc(r);
    return { Trunc(cx - ri), Trunc(cy - ri), Trunc(cx + ri) + 1, Trunc(cy + ri) + 1 };
}

SkyPlot ComputeSkyPlot(int clientWidth, int clientHeight)
{
    const UiRect inner = UiRect { 0, 0, clientWidth, clientHeight }.Shrunk(2, 2);
    SkyPlot plot;
    plot.cx = (inner.left + inner.right) / 2.0;
    plot.cy = (inner.top + inner.bottom) / 2.0;
    plot.r = std::max(0.0, std::min(inner.Width() / 2.0, inner.Height() / 2.0));
    plot.square = { Trunc(plot.cx - plot.r), Trunc(plot.cy - plot.r), Trunc(plot.cx + plot.r),
        Trunc(plot.cy + plot.r) };
    return plot;
}

std::vector<SkyRing> SkyRings(const SkyPlot& plot, int elevationStep)
{
    const int step = std::max(elevationStep, 1);
    const double scale = plot.r / 90.0;
    std::vector<SkyRing> rings;
    for (int el = 0; el < 90; el += step) {
        const int rho = Trunc(plot.r - el * scale);
        SkyRing ring;
        ring.ellipse = { Trunc(plot.cx - rho), Trunc(plot.cy - rho), Trunc(plot.cx + rho),
            Trunc(plot.cy + rho) };
        ring.elevation = el;
        ring.labelled = el != 0;
        if (ring.labelled)
            ring.label = DegreeLabel(el);
        rings.push_back(std::move(ring));
    }
    return rings;
}

std::vector<SkySpoke> SkySpokes(const SkyPlot& plot, int azimuthStep)
{
    const int step = std::max(azimuthStep, 1);
    std::vector<SkySpoke> spokes;
    for (int az = 0; az < 360; az += step) {
        const double a = az * kRadiansPerDegree;
        SkySpoke spoke;
        spoke.from = { Trunc(plot.cx), Trunc(plot.cy) };
        spoke.to = { Trunc(plot.cx) + Trunc(std::sin(a) * plot.r),
            Trunc(plot.cy) - Trunc(std::cos(a) * plot.r) };
        spoke.azimuth = az;
        switch (az) {
        case 0:
            spoke.label = " N ";
            break;
        case 90:
            spoke.label = " E ";
            break;
        case 180:
            spoke.label = " S ";
            break;
        case 270:
            spoke.label = " W ";
            break;
        default:
            spoke.label = DegreeLabel(az);
        }
        spokes.push_back(std::move(spoke));
    }
    return spokes;
}

} // namespace velarin
