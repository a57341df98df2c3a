// The controls that draw themselves: the indicator light, the signal bars, the sky view and
// the help balloon.
#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CSignalBarCtrl.h"
#include "gui/ui/CSkyViewCtrl.h"
#include "gui/ui/CVelarinPropertyPage3.h"
#include "gui/ui/PropertySheetFixture.h"
#include "gui/ui/UiDrawing.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPushButton>

using namespace velarin;
using velarin::testing::CountPixels;
using velarin::testing::FakeWindowTimers;

namespace {

QColor Middle(const QImage& image, const SignalBarGeometry& g, int up)
{
    return image.pixelColor((g.area.left + g.area.right) / 2, g.area.bottom - up);
}

// The sky view as the position page has it, drawn incrementally or in full.
struct Sky {
    Sky(int width = 216, int height = 195, bool pictures = true)
    {
        view.resize(width, height);
        if (pictures)
            CVelarinPropertyPage3::ConfigureSkyView(view);
    }
    QImage Incremental() { return view.UpdateSatellites(), view.grab().toImage(); }
    QImage Full() { return view.Invalidate(), view.grab().toImage(); }
    CSkyViewCtrl view;
};

struct BalloonWorld {
    BalloonWorld()
        : balloon(timers)
        , button(&owner)
        , other(&owner)
    {
        owner.resize(300, 200);
        button.setGeometry(10, 10, 80, 30);
        other.setGeometry(10, 60, 80, 30);
        balloon.Create(&owner);
        balloon.cursorPosition = [this] { return cursor; };
        balloon.screenSize = [] { return QSize(1024, 768); };
        balloon.applicationHasFocus = [this] { return focus; };
        balloon.AddTool(&button, QStringLiteral("Sets the PC clock now."));
    }

    void Enter(QWidget* w)
    {
        QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(cursor));
        balloon.RelayEvent(w, &event);
    }
    void Leave(QWidget* w)
    {
        QEvent event(QEvent::Leave);
        balloon.RelayEvent(w, &event);
    }

    FakeWindowTimers timers;
    QWidget owner;
    CBalloonTipWnd balloon;
    QPushButton button;
    QPushButton other;
    QPoint cursor { 400, 300 };
    bool focus = true;
};

} // namespace

TEST(LedCtrl, FlashesStayLitUntilTheLastOneEndsThenGoDarkWhateverCameBefore)
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
    timers.Advance(1);
    EXPECT_EQ(led.State(), led::kDark);
    // Nothing more happens: no timer is left running.
    EXPECT_EQ(timers.ActiveCount(), 0);
    // A flash stops blinking for good.
    led.SetLed(led::kYellow, led::kBlinking, led::kMedium);
    led.Flash(30);
    timers.Advance(1000);
    EXPECT_EQ(led.State(), led::kDark);
    // Blinking alternates every half period (the cells are the engine's).
    led.SetLed(led::kRed, led::kBlinking, led::kSmall);
    timers.Advance(500);
    EXPECT_EQ(led.SourceCell(), (UiPoint { 16, 0 }));
    led.SetState(led::kLit);
    EXPECT_EQ(timers.ActiveCount(), 0);
}

TEST(SignalBarCtrl, UsedAndTrackedBarsScaleBetweenTheSeenExtremes)
{
    CSignalBarCtrl bars;
    bars.resize(242, 140);
    bars.count = 3;
    bars.entries[0] = { 7, 20, 1 };
    bars.entries[1] = { 9, 40, 0 };
    bars.entries[2] = { 30, 30, 1 };
    const QImage image = bars.grab().toImage();
    const QPalette& pal = bars.palette();
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, SignalBarFontTenths(bars.width()) * 96 / 720));
    const int h = QFontMetrics(font).height();
    // The strongest bar is full height, in the grey text colour as it is not used.
    EXPECT_EQ(Middle(image, SignalBarAt(242, 140, 3, 1, h, 0), 2),
        pal.color(QPalette::Disabled, QPalette::Text));
    // The weakest still has its one-pixel base line, in the highlight colour.
    const SignalBarGeometry weak = SignalBarAt(242, 140, 3, 0, h, 0);
    EXPECT_EQ(Middle(image, weak, 1), pal.color(QPalette::Highlight));
}

TEST(SkyViewCtrl, IncrementalUpdatesShowExactlyWhatAFullRepaintShows)
{
    for (bool pictures : { true, false }) {
        SCOPED_TRACE(pictures);
        Sky sky(216, 195, pictures);
        auto& sats = sky.view.Satellites();
        const QImage empty = sky.Incremental();
        sats[0] = { 5, 120, 40, 1 };
        sats[1] = { 7, 200, 10, 0 };
        sats[2] = { 12, 45, 90, 1 };
        sats[3] = { 14, 300, 70, 0 };
        sats[4] = { 22, 10, 15, 1 }; // overlaps the north label
        const QImage drawn = sky.Incremental();
        EXPECT_EQ(drawn, sky.Full());
        // Move one, change another's use, clear a third, add one overlapping another marker.
        sats[0] = { 5, 125, 42, 1 };
        sats[1].inUse = 1;
        sats[3] = {};
        sats[5] = { 30, 122, 41, 0 };
        const QImage moved = sky.Incremental();
        EXPECT_EQ(moved, sky.Full());
        // Every satellite gone: the plot is as it was before any.
        for (auto& s : sats)
            s = {};
        EXPECT_EQ(sky.Incremental(), empty);
    }
    // A label format the formatter must not see is shown as text.
    Sky plain(200, 200, false);
    plain.view.Satellites()[0] = { 17, 90, 45, 1 };
    const QImage image = plain.Incremental();
    plain.view.SetLabelFormat("%s%s");
    EXPECT_NE(plain.Full(), image);
}

TEST(BalloonTipWnd, ShowsAfterOneSecondWithItsTipAtTheCursor)
{
    BalloonWorld world;
    world.Enter(&world.button);
    world.timers.Advance(1100);
    ASSERT_TRUE(world.balloon.isVisible());
    EXPECT_EQ(world.balloon.Text(), QStringLiteral("Sets the PC clock now."));
    const BalloonShape& shape = world.balloon.Shape();
    EXPECT_EQ(world.balloon.pos() + QPoint(shape.pointer[0].x, shape.pointer[0].y), world.cursor);
    // Drawn in its colours: the body filled, a frame on its edge, the text inside.
    const QImage drawn = world.balloon.grab().toImage();
    for (uint32_t colour :
        { world.balloon.fillColour, world.balloon.frameColour, world.balloon.textColour })
        EXPECT_GT(CountPixels(drawn, FromColorRef(colour).rgb()), 0) << colour;
    // A key or click anywhere hides it at the next tick.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    world.balloon.RelayEvent(&world.other, &key);
    EXPECT_TRUE(world.balloon.isVisible());
    world.timers.Advance(100);
    EXPECT_FALSE(world.balloon.isVisible());
    // A control destroyed under the mouse leaves no tip.
    auto* temporary = new QPushButton(&world.owner);
    world.balloon.AddTool(temporary, QStringLiteral("gone soon"));
    world.Enter(temporary);
    delete temporary;
    EXPECT_EQ(world.balloon.Text(), QString());
    world.timers.Advance(2000);
    EXPECT_FALSE(world.balloon.isVisible());
}

TEST(BalloonTipWnd, DisabledOrUnfocusedNeverShowsAndNearTheCornerItOpensBelowPushedLeft)
{
    BalloonWorld world;
    world.balloon.enabled = 0;
    world.Enter(&world.button);
    world.timers.Advance(3000);
    EXPECT_FALSE(world.balloon.isVisible());
    world.balloon.enabled = 1;
    world.cursor = QPoint(1020, 40);
    world.Leave(&world.button);
    world.Enter(&world.button);
    world.timers.Advance(1100);
    ASSERT_TRUE(world.balloon.isVisible());
    EXPECT_EQ(world.balloon.pos(), QPoint(924, 40));
    world.Leave(&world.button);
    EXPECT_FALSE(world.balloon.isVisible());
    world.focus = false;
    world.Enter(&world.button);
    world.timers.Advance(1100);
    EXPECT_FALSE(world.balloon.isVisible());
}
