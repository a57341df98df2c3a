// Pictures of the two clocks, their menus and dialogs for a person to look at.
#include "Shots.h"

#include "gui/clocks/ClockTestSupport.h"

#include "engine/clocks/ClockCommands.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/AnalogClockColorDlg.h"
#include "gui/clocks/ClockColorDlg.h"
#include "gui/clocks/ClockWnd.h"
#include "gui/clocks/SetTransparencyDlg.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <gtest/gtest.h>

using namespace velarin;
using namespace velarin::test;

namespace {

// Long enough for the clocks' 50 ms ticks to read the time and the X server to draw.
void settle()
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < 300)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void saveScreen(const QString& name, const QRect& area)
{
    settle();
    EXPECT_TRUE(SaveScreenArea(name, area));
}

void saveWidget(const QString& name, QWidget& widget)
{
    widget.move(20, 20);
    widget.show();
    saveScreen(name, widget.frameGeometry());
    widget.hide();
}

// The menu and, beside it, its "Clock settings" and "&Transparency" submenus.
void saveMenu(const QString& name, CClockWnd& wnd)
{
    auto menu = wnd.BuildContextMenu();
    menu->popup(QPoint(20, 20));
    settle();
    QRect area = menu->geometry();
    int y = 20;
    for (int index : { 1, 2 }) {
        QMenu* sub = menu->actions()[index]->menu();
        sub->popup(QPoint(area.right() + 4, y));
        settle();
        area = area.united(sub->geometry());
        y = sub->geometry().bottom() + 4;
    }
    saveScreen(name, area.adjusted(-2, -2, 2, 2));
    for (int index : { 1, 2 })
        menu->actions()[index]->menu()->hide();
    menu->hide();
}

} // namespace

TEST(ClockShots, ClocksMenusAndDialogs)
{
    const QString dir = ShotFolder();

    int64_t nowUs = MicrosecondsAt(2026, 12, 6, 14, 5, 9);
    SimulatedSystemClock clock([&] { return nowUs; });
    MemorySettingsStore store;
    AppState state;
    state.timeReferenceUsable = 1;
    FakeClockHost host;

    store.WriteProfileString(keys::kSettings, keys::kDigitalClockPosition, "20,320,20,120");
    CClockWnd digital(store, state, clock, host);
    digital.ShowAtStartup();
    saveScreen(QStringLiteral("digital-clock"), digital.frameGeometry());
    // What the window tells the window manager, for the reader to check.
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"),
        { QStringLiteral("-id"), QString::number(digital.winId()), QStringLiteral("WM_NAME"),
            QStringLiteral("_NET_WM_WINDOW_TYPE"), QStringLiteral("_NET_WM_STATE"),
            QStringLiteral("_NET_WM_WINDOW_OPACITY") });
    if (xprop.waitForFinished(5000)) {
        QFile file(QDir(dir).filePath(QStringLiteral("digital-clock-xprop.txt")));
        if (file.open(QIODevice::WriteOnly))
            file.write(xprop.readAllStandardOutput());
    }
    digital.OnCommand(cmd::kShowDayOfYear);
    digital.OnCommand(cmd::kBlue);
    digital.resize(400, 90);
    saveScreen(QStringLiteral("digital-clock-day-of-year-blue"), digital.frameGeometry());
    digital.hide();
    saveMenu(QStringLiteral("menu-digital"), digital);

    store.WriteProfileInt(keys::kSettings, keys::kClockType, 1);
    store.WriteProfileString(keys::kSettings, keys::kDigitalClockPosition, "20,220,20,220");
    CClockWnd analog(store, state, clock, host);
    analog.ShowAtStartup();
    saveScreen(QStringLiteral("analog-clock-24-hour"), analog.frameGeometry());
    analog.OnCommand(cmd::k24HourTime);
    saveScreen(QStringLiteral("analog-clock-12-hour"), analog.frameGeometry());
    analog.hide();
    saveMenu(QStringLiteral("menu-analog"), analog);

    CClockColorDlg colors(clock);
    saveWidget(QStringLiteral("dialog-custom-clock-color"), colors);
    CAnalogClockColorDlg analogColors(clock);
    analogColors.faceColor = 0xFFFFFF;
    analogColors.textColor = 0;
    analogColors.handColor = 0xFF0000;
    analogColors.secondColor = 255;
    saveWidget(QStringLiteral("dialog-analog-clock-color"), analogColors);
    CSetTransparencyDlg transparency(clock);
    transparency.alpha = 104;
    saveWidget(QStringLiteral("dialog-set-transparency"), transparency);
}
