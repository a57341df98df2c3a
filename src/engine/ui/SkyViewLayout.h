#pragma once

#include "engine/ui/UiGeometry.h"

#include <string>
#include <vector>

namespace velarin {

// The polar plot of the sky view: horizon circle of radius r around the centre (cx, cy), north
// up, azimuth clockwise, zenith in the middle.
struct SkyPlot {
    double cx = 0.0;
    double cy = 0.0;
    double r = 0.0;
    UiRect square; // the centred plot square of side 2r

    // Screen point of an azimuth and elevation in degrees.
    UiPoint PolarToPoint(double azimuth, double elevation) const;
    // The horizon clip ellipse (right and bottom exclusive).
    UiRect HorizonEllipse() const;
};

// From the client size: a one-pixel 3-D frame, then 2 pixels of margin on each side.
SkyPlot ComputeSkyPlot(int clientWidth, int clientHeight);

struct SkyRing {
    UiRect ellipse;
    bool labelled = false;
    int elevation = 0;
    std::string label; // "30º"
};

struct SkySpoke {
    UiPoint from;
    UiPoint to;
    int azimuth = 0;
    std::string label; // " N ", " E ", " S ", " W " or "30º"
};

// Rings from the horizon inwards every step degrees; spokes every step degrees from north. A
// step below 1 is taken as 1 so that the loops always end.
std::vector<SkyRing> SkyRings(const SkyPlot& plot, int elevationStep);
std::vector<SkySpoke> SkySpokes(const SkyPlot& plot, int azimuthStep);

// The 9 x 7 satellite picture: rows top to bottom, '#' coloured, '.' black.
inline constexpr int kSatelliteIconWidth = 9;
inline constexpr int kSatelliteIconHeight = 7;
extern const char* const kSatelliteIconRows[kSatelliteIconHeight];

} // namespace velarin
