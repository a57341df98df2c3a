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
    // Across each hand 25 pixels out: how many pixels are the hand's, how many blended.
    int hour = 0, minute = 0, blended = 0;
    for (int offset = -12; offset <= 12; ++offset) {
        for (const auto& [pixel, width] : { std::pair(PixelAt(image, 120, 95 + offset), &hour),
                 std::pair(PixelAt(image, 95 + offset, 70), &minute) })
            (pixel == Rgb(0xFF0000) ? *width : blended) += pixel == Rgb(0xFFFFFF) ? 0 : 1;
    }
    EXPECT_GE(minute, 1);
    EXPECT_GE(hour, minute + 3);
    EXPECT_GT(blended, 0);
}
