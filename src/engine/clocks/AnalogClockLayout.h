#pragma once

#include "engine/clocks/ClockGeometry.h"

#include <array>
#include <vector>

namespace velarin {

// The analog clock's face: the largest square that fits the client area less a 5-pixel margin,
// centred along its longer side. All radii are given in face units where the rim is 90.
struct AnalogFace {
    ClockRect square;
    double centerX = 0;
    double centerY = 0;
    double radius = 0; // r, pixels
    double scale = 0; // s = r / 90, pixels per face unit
    int diameter = 0; // d, the square's width in pixels
    int fontTenthsOfPoint = 60; // numeral font size, at least 6 points
    int facePenWidth = 0; // rim and ticks (0: the thinnest line)
    int stubPenWidth = 0; // thick stubs along the hour and minute hands
    int hubDiameter = 0; // round hub over all hands
};

AnalogFace LayoutAnalogFace(const ClockRect& client);

// A point on the face: angle in degrees clockwise from 12 o'clock, radius in face units.
ClockPoint FacePoint(const AnalogFace& face, double angleDegrees, double radius);

struct AnalogTick {
    ClockStroke line;
    bool major = false; // every fifth tick is longer
};
// 61 ticks, i = 0..60 at 6·i degrees; the last repeats the first position.
std::vector<AnalogTick> AnalogTicks(const AnalogFace& face);

struct AnalogNumeral {
    ClockPoint center; // the text is centred on this point
    int number = 0;
};
// Twelve numerals 1..12 (2..24 in 24-hour mode), in drawing order with 12 (24) last, at the top.
std::vector<AnalogNumeral> AnalogNumerals(const AnalogFace& face, bool twentyFourHour);

struct HandAngles {
    double hour = 0;
    double minute = 0;
    double second = 0;
};
// Hand angles in degrees. The hour hand turns once in 12 hours, or once in 24 hours in 24-hour
// mode; the minute hand moves once a minute.
HandAngles ComputeHandAngles(int hour, int minute, int second, bool twentyFourHour);

struct AnalogHands {
    std::array<ClockPoint, 4> hour;
    ClockStroke hourStub;
    std::array<ClockPoint, 4> minute;
    ClockStroke minuteStub;
    std::array<ClockPoint, 3> second;
    ClockPoint hub;
};
AnalogHands LayoutAnalogHands(const AnalogFace& face, const HandAngles& angles);

} // namespace velarin
