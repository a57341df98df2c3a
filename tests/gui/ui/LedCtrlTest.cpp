#include "gui/ui/CLedCtrl.h"
#include "support/FakeWindowTimers.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPalette>

using namespace velarin;
using velarin::testing::FakeWindowTimers;

TEST(LedCtrl, FlashesStayLitUntilTheLastOneEnds)
{
    FakeWindowTimers timers;
    CLedCtrl led(timers);
    led.SetLed(led::kGreen, led::kDark, led::kLarge);
    led.Flash(100);
    EXPECT_EQ(led.State(), led::kLit);
    timers.Advance(50);
    led.Flash(100);
    timers.Advance(99);
    EXPECT_EQ(led.State(), led::kLit);
    EXPECT_TRUE(led.IsFlashing());
    timers.Advance(1);
    EXPECT_EQ(led.State(), led::kDark);
    EXPECT_FALSE(led.IsFlashing());
    // Nothing more happens: no timer is left running.
    EXPECT_EQ(timers.ActiveCount(), 0);
}

TEST(LedCtrl, FlashEndsDarkWhateverCameBefore)
{
    FakeWindowTimers timers;
    CLedCtrl led(timers);
    led.SetLed(led::kYellow, led::kGreyed, led::kMedium);
    led.Flash(100);
    timers.Advance(100);
    EXPECT_EQ(led.State(), led::kDark);

    // A flash stops blinking for good.
    led.SetState(led::kBlinking);
    led.Flash(30);
    timers.Advance(1000);
    EXPECT_EQ(led.State(), led::kDark);
    EXPECT_EQ(led.SourceCell(), (UiPoint { 16, 64 + 32 }));
}

TEST(LedCtrl, BlinkingAlternatesEveryHalfPeriod)
{
    FakeWindowTimers timers;
    CLedCtrl led(timers);
    led.SetLed(led::kRed, led::kBlinking, led::kSmall);
    EXPECT_EQ(led.SourceCell(), (UiPoint { 0, 0 }));
    timers.Advance(499);
    EXPECT_EQ(led.BlinkPhase(), 1);
    timers.Advance(1);
    EXPECT_EQ(led.SourceCell(), (UiPoint { 16, 0 }));
    timers.Advance(500);
    EXPECT_EQ(led.SourceCell(), (UiPoint { 0, 0 }));
    led.SetState(led::kLit);
    EXPECT_EQ(timers.ActiveCount(), 0);
}

TEST(LedCtrl, DrawsTheCellTransparentlyAtTheCentre)
{
    FakeWindowTimers timers;
    QWidget parent;
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(10, 20, 30));
    parent.setPalette(palette);
    parent.setAutoFillBackground(true);
    parent.resize(40, 40);
    CLedCtrl led(timers, &parent);
    led.setGeometry(0, 0, 20, 30);
    led.SetLed(led::kGreen, led::kLit, led::kLarge);

    const QImage image = parent.grab().toImage();
    // Picture at (2, 7): its centre is lit green, its corner shows the window behind.
    EXPECT_EQ(image.pixelColor(2 + 8, 7 + 9), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(2, 7), QColor(10, 20, 30));
    EXPECT_EQ(image.pixelColor(1, 1), QColor(10, 20, 30));

    led.SetState(led::kGreyed);
    EXPECT_EQ(parent.grab().toImage().pixelColor(2 + 8, 7 + 8), QColor(128, 128, 128));
}
