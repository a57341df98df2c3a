#include "engine/AppState.h"
#include "engine/clocks/ClockCommands.h"
#include "engine/settings/MemorySettingsStore.h"
#include "gui/clocks/ClockMenu.h"
#include "gui/clocks/ClockWnd.h"
#include "gui/frame/MainFrame.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>

namespace velarin {
namespace {

class ClockWindowAdapterTest : public ::testing::Test {
protected:
    std::unique_ptr<CMainFrame> MakeFrame(bool tray)
    {
        MainFrameServices services;
        services.systemClock = &clock_;
        services.trayAvailable = [tray] { return tray; };
        services.openHelp = [](int) {};
        auto frame = std::make_unique<CMainFrame>(app_, settings_, std::move(services));
        EXPECT_TRUE(frame->Create());
        return frame;
    }

    static CClockWnd* Window(CMainFrame&)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* clock = qobject_cast<CClockWnd*>(w))
                return clock;
        return nullptr;
    }

    // Opens the clock's right-click menu, hands it to inspect, and closes it with the chosen
    // entry (or none).
    void RightClick(CMainFrame& frame, const std::function<QAction*(QMenu&)>& inspect)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            seen = true;
            QAction* chosen = inspect(*menu);
            if (chosen)
                menu->setActiveAction(chosen), chosen->trigger(), menu->close();
            else
                menu->close();
        });
        QWidget* window = Window(frame);
        QContextMenuEvent event(
            QContextMenuEvent::Mouse, QPoint(10, 10), window->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(window, &event);
        EXPECT_TRUE(seen);
    }

    AppState app_;
    MemorySettingsStore settings_;
    SimulatedSystemClock clock_;
};

TEST_F(ClockWindowAdapterTest, WithoutTrayTheClockMenuEndsTheProgramAndCannotHide)
{
    settings_.WriteProfileInt("Settings", "DigitalClockEnabled", 0);
    auto frame = MakeFrame(false);
    ASSERT_NE(Window(*frame), nullptr);
    EXPECT_TRUE(Window(*frame)->isVisible());
    QSignalSpy closed(frame.get(), &CMainFrame::closed);

    RightClick(*frame, [](QMenu& menu) -> QAction* {
        QAction* hide = FindClockMenuAction(menu, cmd::kHide);
        EXPECT_NE(hide, nullptr);
        EXPECT_FALSE(hide && hide->isEnabled());
        EXPECT_NE(FindClockMenuAction(menu, cmd::kProperties), nullptr);
        EXPECT_EQ(menu.actions().last()->text(), "&Exit");
        return menu.actions().last();
    });
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(ClockWindowAdapterTest, WithTrayTheClockKeepsItsOwnMenu)
{
    auto frame = MakeFrame(true);
    RightClick(*frame, [](QMenu& menu) -> QAction* {
        QAction* hide = FindClockMenuAction(menu, cmd::kHide);
        EXPECT_TRUE(hide && hide->isEnabled());
        EXPECT_NE(menu.actions().last()->text(), "&Exit");
        return nullptr;
    });
}

TEST_F(ClockWindowAdapterTest, ResetBringsTheClockBackToTheCorner)
{
    settings_.WriteProfileInt("Settings", "DigitalClockEnabled", 0);
    settings_.WriteProfileString("Settings", "DigitalClockPosition", "5000,5300,4000,4100");
    auto frame = MakeFrame(true);
    EXPECT_FALSE(Window(*frame)->isVisible());
    frame->OnCommand(32788);
    EXPECT_TRUE(Window(*frame)->isVisible());
    EXPECT_EQ(Window(*frame)->geometry(), QRect(0, 0, 300, 100));
    frame->OnCommand(57665);
    EXPECT_EQ(settings_.GetProfileString("Settings", "DigitalClockPosition", ""), "0,300,0,100");
}

} // namespace
} // namespace velarin
