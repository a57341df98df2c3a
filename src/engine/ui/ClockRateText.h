#pragma once

#include "engine/AppState.h"

#include <string>

namespace velarin {

// The text beside "Correct the clock's rate between updates": the measured rate ("+12.4 ppm"),
// "learning…" until there is one, or why there is none.
std::string ClockRateText(AppState::ClockRateState state, double ratePpm);

} // namespace velarin
