#pragma once

#include "engine/clocks/ClockGeometry.h"

#include <string>
#include <string_view>

namespace velarin {

// The clock window's stored rectangle. The text is "left,right,top,bottom" (in that order, not
// left,top,right,bottom); empty or absent means 0,300,0,100.
inline constexpr ClockRect kDefaultClockRect { 0, 0, 300, 100 };
inline constexpr int kMinimumClockWidth = 75;

// Reads the fields in order as "%d,%d,%d,%d" would: the first field that fails to parse, and
// every field after it, keeps its default. A number beyond ±1,000,000 pixels is not a screen
// coordinate and fails like any other malformed field.
ClockRect ParseClockPosition(std::string_view text);

std::string FormatClockPosition(const ClockRect& rect);

// A stored rectangle the window can take: at least the minimum width, and the default height
// when its height is not positive.
ClockRect UsableClockRect(ClockRect rect);

} // namespace velarin
