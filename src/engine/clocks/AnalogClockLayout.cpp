#include "engine/clocks/AnalogClockLayout.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velarin {

AnalogFace LayoutAnalogFace(const ClockRect& client)
{
    AnalogFace face;
    ClockRect square { client.left + 5, client.top + 5, client.right - 5, client.bottom - 5 };
    const double w = square.Width();
    const double h = square.Height();
    face.centerX = square.left + w * 0.5;
    face.centerY = square.top + h * 0.5;
    if (w < h) {
        face.radius = w * 0.5;
        square.top = static_cast<int>(std::trunc(face.centerY - face.radius));
        square.bottom = static_cast<int>(std::trunc(face.centerY + face.radius));
    } else {
        face.radius = h * 0.5;
        square.left = static_cast<int>(std::trunc(face.centerX - face.radius));
        square.right = static_cast<int>(std::trunc(face.centerX + face.radius));
    }
    face.square = square;
    face.scale = face.radius / 90.0;
    face.diameter = square.Width();
    const int d = face.diameter;
    face.fontTenthsOfPoint = std::max(d - d / 10, 60);
    // A control smaller than its margins has a negative square; its pens stay at the thinnest.
    face.facePenWidth = std::max(d / 95, 0);
    face.stubPenWidth = std::max(d / 50, 0);
    face.hubDiameter = std::max(d / 20, 0);
    return face;
}

ClockPoint FacePoint(const AnalogFace& face, double angleDegrees, double radius)
{
    const double a = angleDegrees * std::numbers::pi / 180.0;
    return { static_cast<int>(std::trunc(face.centerX + std::sin(a) * face.scale * radius)),
        static_cast<int>(std::trunc(face.centerY - std::cos(a) * face.scale * radius)) };
}

std::vector<AnalogTick> AnalogTicks(const AnalogFace& face)
{
    std::vector<AnalogTick> ticks;
    ticks.reserve(61);
    for (int i = 0; i <= 60; ++i) {
        const double a = 6.0 * i;
        const bool major = i % 5 == 0;
        ticks.push_back(
            { { FacePoint(face, a, 89.1), FacePoint(face, a, major ? 80.0 : 85.0) }, major });
    }
    return ticks;
}

std::vector<AnalogNumeral> AnalogNumerals(const AnalogFace& face, bool twentyFourHour)
{
    std::vector<AnalogNumeral> numerals;
    for (int i = 5; i <= 60; i += 5) {
        const int n = static_cast<int>(0.2 * i);
        numerals.push_back({ FacePoint(face, 6.0 * i, 68.0), twentyFourHour ? 2 * n : n });
    }
    return numerals;
}

HandAngles ComputeHandAngles(int hour, int minute, int second, bool twentyFourHour)
{
    const double hourPosition = hour * 5.0 + minute / 12.0;
    return { hourPosition * (twentyFourHour ? 3.0 : 6.0), minute * 6.0, second * 6.0 };
}

AnalogHands LayoutAnalogHands(const AnalogFace& face, const HandAngles& angles)
{
    const double H = angles.hour;
    const double M = angles.minute;
    const double S = angles.second;
    const ClockPoint centre = FacePoint(face, H, 0);
    AnalogHands hands;
    hands.hour = { centre, FacePoint(face, H - 5, 40), FacePoint(face, H, 55),
        FacePoint(face, H + 5, 40) };
    hands.hourStub = { centre, FacePoint(face, H, 40) };
    hands.minute = { centre, FacePoint(face, M - 3, 60), FacePoint(face, M, 75),
        FacePoint(face, M + 3, 60) };
    hands.minuteStub = { centre, FacePoint(face, M, 40) };
    hands.second
        = { FacePoint(face, S - 25, 2), FacePoint(face, S, 75), FacePoint(face, S + 25, 2) };
    hands.hub = centre;
    return hands;
}

} // namespace velarin
