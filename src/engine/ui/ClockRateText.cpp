#include "engine/ui/ClockRateText.h"

#include <cmath>
#include <cstdio>

namespace velarin {

std::string ClockRateText(AppState::ClockRateState state, double ratePpm)
{
    switch (state) {
    case AppState::ClockRateState::OtherService:
        return "kept by another time service";
    case AppState::ClockRateState::Unavailable:
        return "not available";
    case AppState::ClockRateState::Measured:
        if (std::isfinite(ratePpm)) {
            char text[32];
            // Rounded first, so that a rate just below zero does not read "-0.0".
            const double tenths = std::round(ratePpm * 10.0) / 10.0;
            std::snprintf(text, sizeof text, "%+.1f ppm", tenths == 0.0 ? 0.0 : tenths);
            return text;
        }
        break;
    case AppState::ClockRateState::Learning:
        break;
    }
    return "learning\u2026";
}

} // namespace velarin
