#include "ClockTestSupport.h"

#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/clocks/SystemColors.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <gtest/gtest.h>

using namespace velarin;
using namespace velarin::test;

namespace {

class ClockControls : public ::testing::Test {
protected:
    int64_t nowUs = MicrosecondsAt(2026, 12, 6, 12, 34, 56);
    SimulatedSystemClock clock { [this] { return nowUs; } };
};

} // namespace

TEST_F(ClockControls, DigitalPixelsShowLitAndUnlitSegmentsAndColonDots)
{
    CDigitalClockCtrl ctrl(clock);
    ctrl.resize(300, 100);
    ctrl.SetThickness(3);
    ctrl.SetSegmentColors(0x00FF00, 0x004000);
    ctrl.Tick();
    const QImage image = ctrl.grab().toImage();

    // First digit "1" in the cell 5..44: segment b (x 41) lit, segment a (y 8) and g (y 50) not.
    // Second digit "2" (cell 47..86): a and g lit, f (x 50) not. Colon dots at x 97, y 27 and
    // 73, always lit; background in the inset; sunken border.
    ExpectPixels(image,
        { { 41, 30, 0x00FF00 }, { 41, 70, 0x00FF00 }, { 24, 8, 0x004000 }, { 24, 50, 0x004000 },
            { 66, 8, 0x00FF00 }, { 66, 50, 0x00FF00 }, { 50, 30, 0x004000 }, { 97, 27, 0x00FF00 },
            { 97, 73, 0x00FF00 }, { 97, 50, 0 }, { 3, 50, 0 },
            { 0, 0, GetSystemColor(kColorButtonShadow) },
            { 299, 99, GetSystemColor(kColorButtonHighlight) } });
}

TEST_F(ClockControls, DigitalTicksFollowTheChosenTimeAndItsOwnTimer)
{
    CDigitalClockCtrl ctrl(clock);
    nowUs += 1'100'000;
    ctrl.Tick();
    EXPECT_EQ(ctrl.lastSecond, 57);

    // UTC and local differ in the simulated clock only when an offset is set; the flag chooses.
    clock.SetLocalOffsetMinutes(60);
    ctrl.SetUseLocalTime(0);
    ctrl.Tick();
    EXPECT_EQ(ctrl.currentTime.hour, 12);
    ctrl.SetUseLocalTime(1);
    ctrl.Tick();
    EXPECT_EQ(ctrl.currentTime.hour, 13);

    // The tick runs on its own timer once enabled, and stops.
    CDigitalClockCtrl ticking(clock);
    ticking.EnableTick(1, 50);
    EXPECT_TRUE(ProcessEventsUntil([&] { return ticking.lastSecond == 57; }));
    ticking.EnableTick(2, 50);
    EXPECT_FALSE(ticking.IsTicking());
}

TEST_F(ClockControls, AnalogHourHandInTwelveAndTwentyFourHourMode)
{
    nowUs = MicrosecondsAt(2026, 12, 6, 3, 0, 0);
    CAnalogClockCtrl ctrl(clock);
    ctrl.resize(190, 190); // s = 1, centre (95, 95)
    ctrl.faceColor = 0xFFFFFF;
    ctrl.textColor = 0x000000;
    ctrl.handColor = 0xFF0000;
    ctrl.secondColor = 0x0000FF;
    ctrl.Tick();

    // Hour hand at 90°, the hub, nothing at 45°, the corner, the 12 o'clock tick at radius 84.
    ExpectPixels(ctrl.grab().toImage(),
        { { 125, 95, 0xFF0000 }, { 95, 95, 0xFF0000 }, { 116, 74, 0xFFFFFF },
            { 1, 1, GetSystemColor(kColorButtonFace) }, { 95, 11, 0 } });
    ctrl.Set24HourMode(1); // the hour hand at 45°
    ExpectPixels(ctrl.grab().toImage(), { { 116, 74, 0xFF0000 }, { 125, 95, 0xFFFFFF } });
}
