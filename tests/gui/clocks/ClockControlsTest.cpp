#include "ClockTestSupport.h"

#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/clocks/SystemColors.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QPaintEvent>
#include <gtest/gtest.h>

using namespace velarin;
using namespace velarin::test;

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

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
    EXPECT_EQ(PixelAt(image, 41, 30), Rgb(0x00FF00));
    EXPECT_EQ(PixelAt(image, 41, 70), Rgb(0x00FF00));
    EXPECT_EQ(PixelAt(image, 24, 8), Rgb(0x004000));
    EXPECT_EQ(PixelAt(image, 24, 50), Rgb(0x004000));
    // Second digit "2" (cell 47..86): a and g lit, f (x 50) not.
    EXPECT_EQ(PixelAt(image, 66, 8), Rgb(0x00FF00));
    EXPECT_EQ(PixelAt(image, 66, 50), Rgb(0x00FF00));
    EXPECT_EQ(PixelAt(image, 50, 30), Rgb(0x004000));
    // Colon dots at x 97, y 27 and 73, always lit; background in the inset; sunken border.
    EXPECT_EQ(PixelAt(image, 97, 27), Rgb(0x00FF00));
    EXPECT_EQ(PixelAt(image, 97, 73), Rgb(0x00FF00));
    EXPECT_EQ(PixelAt(image, 97, 50), Rgb(0x000000));
    EXPECT_EQ(PixelAt(image, 3, 50), Rgb(0x000000));
    EXPECT_EQ(PixelAt(image, 0, 0), Rgb(GetSystemColor(kColorButtonShadow)));
    EXPECT_EQ(PixelAt(image, 299, 99), Rgb(GetSystemColor(kColorButtonHighlight)));
}

TEST_F(ClockControls, OnePixelStrokeLeavesOutItsEndPoint)
{
    CDigitalClockCtrl ctrl(clock);
    ctrl.resize(300, 100);
    ctrl.SetThickness(1);
    ctrl.Tick();
    const QImage image = ctrl.grab().toImage();
    // t = 1: first cell 5..50, w = 43; segment a of "1" (unlit) runs from (7, 6) to (49, 6) and
    // its end point is left out, so the stroke covers exactly x = 7..48.
    EXPECT_EQ(PixelAt(image, 7, 6), Rgb(0x004000));
    EXPECT_EQ(PixelAt(image, 48, 6), Rgb(0x004000));
    EXPECT_EQ(PixelAt(image, 49, 6), Rgb(0x000000));
    EXPECT_EQ(PixelAt(image, 6, 6), Rgb(0x000000));
}

TEST_F(ClockControls, DigitalRepaintsOncePerDisplayedSecond)
{
    CDigitalClockCtrl ctrl(clock);
    ctrl.resize(200, 60);
    ctrl.show();
    ctrl.Tick();
    QApplication::processEvents();
    PaintCounter counter;
    ctrl.installEventFilter(&counter);

    nowUs += 300'000; // same second
    ctrl.Tick();
    ctrl.Tick();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    nowUs += 800'000; // next second
    ctrl.Tick();
    EXPECT_TRUE(ProcessEventsUntil([&] { return counter.paints > 0; }));
    EXPECT_EQ(counter.paints, 1);
    EXPECT_EQ(ctrl.lastSecond, 57);

    // UTC and local differ in the simulated clock only when an offset is set; the flag chooses.
    clock.SetLocalOffsetMinutes(60);
    ctrl.SetUseLocalTime(0);
    ctrl.Tick();
    EXPECT_EQ(ctrl.currentTime.hour, 12);
    ctrl.SetUseLocalTime(1);
    ctrl.Tick();
    EXPECT_EQ(ctrl.currentTime.hour, 13);
}

TEST_F(ClockControls, DigitalTickStartsAndStops)
{
    CDigitalClockCtrl ctrl(clock);
    EXPECT_FALSE(ctrl.IsTicking());
    ctrl.EnableTick(1, 50);
    EXPECT_TRUE(ctrl.IsTicking());
    EXPECT_TRUE(ProcessEventsUntil([&] { return ctrl.lastSecond == 56; }));
    ctrl.EnableTick(2, 50);
    EXPECT_FALSE(ctrl.IsTicking());
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

    QImage image = ctrl.grab().toImage();
    EXPECT_EQ(PixelAt(image, 125, 95), Rgb(0xFF0000)); // hour hand at 90°
    EXPECT_EQ(PixelAt(image, 95, 95), Rgb(0xFF0000)); // hub
    EXPECT_EQ(PixelAt(image, 116, 74), Rgb(0xFFFFFF)); // nothing at 45°
    EXPECT_EQ(PixelAt(image, 1, 1), Rgb(GetSystemColor(kColorButtonFace)));
    EXPECT_EQ(PixelAt(image, 95, 11), Rgb(0x000000)); // 12 o'clock tick, radius 84

    ctrl.Set24HourMode(1);
    image = ctrl.grab().toImage();
    EXPECT_EQ(PixelAt(image, 116, 74), Rgb(0xFF0000)); // hour hand at 45°
    EXPECT_EQ(PixelAt(image, 125, 95), Rgb(0xFFFFFF));
}
