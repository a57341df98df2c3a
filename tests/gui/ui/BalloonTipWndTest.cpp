#include "gui/ui/CBalloonTipWnd.h"
#include "support/FakeWindowTimers.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QKeyEvent>
#include <QPushButton>

using namespace velarin;
using velarin::testing::FakeWindowTimers;

namespace {

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

TEST(BalloonTipWnd, ShowsAfterOneSecondWithItsTipAtTheCursor)
{
    BalloonWorld world;
    world.Enter(&world.button);
    world.timers.Advance(900);
    EXPECT_FALSE(world.balloon.isVisible());
    world.timers.Advance(200);
    ASSERT_TRUE(world.balloon.isVisible());
    EXPECT_EQ(world.balloon.Text(), QStringLiteral("Sets the PC clock now."));
    const BalloonShape& shape = world.balloon.Shape();
    EXPECT_FALSE(shape.pointerAtTop);
    EXPECT_EQ(world.balloon.pos() + QPoint(shape.pointer[0].x, shape.pointer[0].y), world.cursor);
    // The text is centred in the body above the pointer.
    EXPECT_TRUE(world.balloon.TextRect().intersects(QRect(0, 0, 100, 86)));
    EXPECT_FALSE(world.balloon.mask().isEmpty());

    // Up for five seconds, then gone until the mouse leaves and comes back.
    world.timers.Advance(4900);
    EXPECT_TRUE(world.balloon.isVisible());
    world.timers.Advance(200);
    EXPECT_FALSE(world.balloon.isVisible());
    world.timers.Advance(3000);
    EXPECT_FALSE(world.balloon.isVisible());
    world.Leave(&world.button);
    world.Enter(&world.button);
    world.timers.Advance(1100);
    ASSERT_TRUE(world.balloon.isVisible());

    // A key or click anywhere hides it at the next tick.
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    world.balloon.RelayEvent(&world.other, &key);
    EXPECT_TRUE(world.balloon.isVisible());
    world.timers.Advance(100);
    EXPECT_FALSE(world.balloon.isVisible());
}

TEST(BalloonTipWnd, NearTheTopItOpensBelowAndNearTheRightItIsPushedLeft)
{
    BalloonWorld world;
    world.cursor = QPoint(1020, 40);
    world.Enter(&world.button);
    world.timers.Advance(1100);
    ASSERT_TRUE(world.balloon.isVisible());
    EXPECT_TRUE(world.balloon.Shape().pointerAtTop);
    EXPECT_EQ(world.balloon.pos(), QPoint(924, 40));
}

TEST(BalloonTipWnd, DisabledOrUnfocusedNeverShowsAndEnablingActsAtOnce)
{
    BalloonWorld world;
    world.balloon.enabled = 0;
    world.Enter(&world.button);
    world.timers.Advance(3000);
    EXPECT_FALSE(world.balloon.isVisible());

    world.balloon.enabled = 1;
    world.Leave(&world.button);
    world.Enter(&world.button);
    world.timers.Advance(1100);
    EXPECT_TRUE(world.balloon.isVisible());

    world.Leave(&world.button);
    EXPECT_FALSE(world.balloon.isVisible());
    world.focus = false;
    world.Enter(&world.button);
    world.timers.Advance(1100);
    EXPECT_FALSE(world.balloon.isVisible());
}

TEST(BalloonTipWnd, ReplacedTextAndDestroyedControls)
{
    BalloonWorld world;
    world.balloon.AddTool(&world.button, QStringLiteral("Help"));
    world.Enter(&world.button);
    world.timers.Advance(1100);
    EXPECT_EQ(world.balloon.Text(), QStringLiteral("Help"));

    auto* temporary = new QPushButton(&world.owner);
    world.balloon.AddTool(temporary, QStringLiteral("gone soon"));
    world.Enter(temporary);
    delete temporary;
    EXPECT_EQ(world.balloon.Text(), QString());
    world.timers.Advance(2000);
    EXPECT_FALSE(world.balloon.isVisible());
}
