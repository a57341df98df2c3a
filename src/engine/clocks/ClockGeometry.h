#pragma once

#include "engine/ui/UiGeometry.h"

namespace velarin {

// The clock drawings share the integer pixel geometry of the other layouts (right and bottom
// edges lie just outside a rectangle).
using ClockPoint = UiPoint;
using ClockRect = UiRect;

// One straight pen stroke from one point to another (equal points draw a round dot).
struct ClockStroke {
    ClockPoint from;
    ClockPoint to;

    friend bool operator==(const ClockStroke&, const ClockStroke&) = default;
};

} // namespace velarin
