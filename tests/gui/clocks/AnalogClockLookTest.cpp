#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/ClockTestSupport.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <gtest/gtest.h>

using namespace velarin;
using namespace velarin::test;

TEST(AnalogClockLook, HourHandIsWiderThanTheMinuteHandAndEdgesAreSmoothed)
{
    SimulatedSystemClock clock([] { return MicrosecondsAt(2026, 12, 6, 3, 0, 30); });
    CAnalogClockCtrl ctrl(clock);
    ctrl.resize(190, 190); // s = 1, centre (95, 95): hour hand to the right, minute hand up
    ctrl.faceColor = 0xFFFFFF;
    ctrl.handColor = 0xFF0000;
    ctrl.Tick();
    const QImage image = ctrl.grab().toImage();

    // Across each hand 25 pixels out from the centre: full hand colour, and blended edges.
    int hourWidth = 0;
    int minuteWidth = 0;
    int blended = 0;
    for (int offset = -12; offset <= 12; ++offset) {
        for (const auto& [x, y, width] : { std::tuple(120, 95 + offset, &hourWidth),
                 std::tuple(95 + offset, 70, &minuteWidth) }) {
            const QRgb pixel = PixelAt(image, x, y);
            if (pixel == Rgb(0xFF0000))
                ++*width;
            else if (pixel != Rgb(0xFFFFFF))
                ++blended;
        }
    }
    EXPECT_GE(minuteWidth, 1);
    EXPECT_GE(hourWidth, minuteWidth + 3);
    EXPECT_GT(blended, 0);
}
