#pragma once

#include "engine/gps/GpsRecord.h"

#include <vector>

namespace velarin {

// The entries of the satellites in view that a display with room for `room` satellites shows:
// all of them in the record's order when they fit, otherwise the strongest, strongest first.
std::vector<int> SatellitesShown(const GsvData& gsv, int room);

} // namespace velarin
