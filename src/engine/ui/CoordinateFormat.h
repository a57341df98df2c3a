#pragma once

#include "platform/SettingsStore.h"

#include <string>

namespace velarin {

// Texts of the position page. Degrees are written with "°" (UTF-8).
//   format 0: degrees and decimal minutes      "N 47° 36.3720"
//   format 1: degrees, minutes, decimal seconds "W 122° 19' 55.560"
//   format 2: decimal degrees                  "N 47.6062000000°"
// Any other format gives "ERROR" for the latitude and an empty longitude. When the minutes round
// up to a whole 60 they are carried into the degrees, so no text ever shows 60 minutes.
std::string FormatLatitude(double value, int positionFormat);
std::string FormatLongitude(double value, int positionFormat);
// units 1: feet; anything else: metres. "%-8.02f %s" followed by seven blanks.
std::string FormatAltitude(double metres, int units);

// The same, with "PositionFormat" and "Units" read from the store at every call.
std::string FormatLatitude(double value, SettingsStore& settings);
std::string FormatLongitude(double value, SettingsStore& settings);
std::string FormatAltitude(double metres, SettingsStore& settings);

} // namespace velarin
