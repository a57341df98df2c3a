#pragma once

#include "base/Calendar.h"
#include "gui/clocks/ClockWindowHost.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace velarin::test {

// The main frame as the clock window sees it: counts what it is asked to do.
struct FakeClockHost : ClockWindowHost {
    int setPcClockNow = 0;
    int properties = 0;
    int helpTopics = 0;

    void SetPcClockNow() override { ++setPcClockNow; }
    void ShowProperties() override { ++properties; }
    void ShowHelpTopics() override { ++helpTopics; }
    QWidget* DialogOwner() override { return nullptr; }
};

inline int64_t MicrosecondsAt(int year, int month, int day, int hour, int minute, int second)
{
    const SystemTime t { static_cast<uint16_t>(year), static_cast<uint16_t>(month), 0,
        static_cast<uint16_t>(day), static_cast<uint16_t>(hour), static_cast<uint16_t>(minute),
        static_cast<uint16_t>(second), 0 };
    return *ToUnixMilliseconds(t) * 1000;
}

// Lets the event loop run until the condition holds or a generous bound passes; the caller
// asserts the condition afterwards, so nothing here depends on how fast the machine is.
inline bool ProcessEventsUntil(const std::function<bool()>& condition, int boundMs = 5000)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition() && elapsed.elapsed() < boundMs)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// A mouse event at a point of the target; the screen position is the mapped one unless given.
inline void SendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons,
    Qt::MouseButton button = Qt::LeftButton, std::optional<QPoint> global = {})
{
    QMouseEvent event(type, QPointF(local), QPointF(global.value_or(target->mapToGlobal(local))),
        button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// A move with the left button held.
inline void DragTo(QWidget* target, QPoint local, QPoint global)
{
    SendMouse(target, QEvent::MouseMove, local, Qt::LeftButton, Qt::NoButton, global);
}

// Opens a window's context menu as the user does (a right click or the menu key), hands it to
// inspect, and closes it choosing the returned entry by keyboard (nullptr: none).
inline void OpenContextMenu(QWidget* window, const std::function<QAction*(QMenu&)>& inspect,
    QContextMenuEvent::Reason reason = QContextMenuEvent::Mouse)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        seen = true;
        QAction* chosen = inspect(*menu);
        menu->setActiveAction(chosen);
        QTest::keyClick(menu, chosen ? Qt::Key_Return : Qt::Key_Escape);
    });
    QContextMenuEvent event(reason, QPoint(10, 10), window->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(window, &event);
    EXPECT_TRUE(seen);
}

// Probes a picture: each point must show its colour (a COLORREF, 0x00BBGGRR).
struct Probe {
    int x, y;
    uint32_t colorRef;
};
inline void ExpectPixels(const QImage& image, std::initializer_list<Probe> probes)
{
    for (const Probe& p : probes)
        EXPECT_EQ(image.pixel(p.x, p.y) | 0xFF000000u,
            qRgb(p.colorRef & 0xFF, (p.colorRef >> 8) & 0xFF, (p.colorRef >> 16) & 0xFF))
            << "at " << p.x << ", " << p.y;
}

} // namespace velarin::test
