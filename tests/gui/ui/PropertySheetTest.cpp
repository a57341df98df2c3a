#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/CVelarinPropertyPage.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"

#include <QApplication>
#include <QEnterEvent>
#include <QPushButton>
#include <QTabBar>

using namespace velarin;
using velarin::testing::SheetWorld;

TEST(PropertySheet, TenTabsInOrderWithTheirTemplatesAndHelp)
{
    SheetWorld world;
    CVelarinPropertySheet sheet(world.context);
    const std::vector<std::pair<QString, int>> expected {
        { "Time", 118 },
        { "GPS Signal Quality", 104 },
        { "Update PC Clock", 105 },
        { "Position", 106 },
        { "GPS Configuration", 107 },
        { "About Velarin", 108 },
        { "License", 110 },
        { "IRIG Configuration", 323 },
        { "Network Time", 116 },
        { "System Configuration", 117 },
    };
    ASSERT_EQ(sheet.count(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(sheet.tabText(i), expected[static_cast<size_t>(i)].first);
        EXPECT_EQ(sheet.Page(i)->DialogId(), expected[static_cast<size_t>(i)].second);
    }
    EXPECT_EQ(sheet.currentIndex(), 0);
    EXPECT_EQ(sheet.Page(1)->HelpContext(), 0x20000 + 104);
    EXPECT_EQ(sheet.Page(3)->HelpContext(), 0x20000 + 106);
    EXPECT_EQ(sheet.Page(5)->HelpContext(), 0);
    EXPECT_EQ(sheet.Page(10), nullptr);
}

TEST(PropertySheet, PagesComeAliveAtTheirFirstDisplayAndStayAlive)
{
    SheetWorld world;
    CVelarinPropertyFrame* frame
        = CVelarinPropertyFrame::ShowProperties(nullptr, world.context, nullptr);
    CVelarinPropertySheet& sheet = frame->Sheet();
    EXPECT_TRUE(sheet.Page(0)->IsInitialised());
    EXPECT_FALSE(sheet.Page(1)->IsInitialised());
    EXPECT_FALSE(sheet.Page(1)->HasTimer());

    sheet.setCurrentIndex(1);
    EXPECT_TRUE(sheet.Page(1)->IsInitialised());
    EXPECT_TRUE(sheet.Page(1)->HasTimer());
    sheet.setCurrentIndex(3);
    frame->close();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(sheet.Page(1)->HasTimer());
    EXPECT_TRUE(sheet.Page(3)->HasTimer());

    // Opening again shows the same window in the state it was left in.
    EXPECT_EQ(CVelarinPropertyFrame::ShowProperties(frame, world.context, nullptr), frame);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(sheet.currentIndex(), 3);
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Velarin Properties"));
    delete frame;
}

TEST(PropertySheet, UpdateNowLoadsTheServerThenStartsTheWorkerAndHelpOpensItsContext)
{
    SheetWorld world;
    CVelarinPropertySheet sheet(world.context);
    sheet.setCurrentIndex(1);
    sheet.Page(1)->EnsureInitialised();
    auto* page = sheet.Page(1);
    world.state.timeReferenceUsable = 1;
    world.Advance(1000);
    auto* update = qobject_cast<QPushButton*>(page->Control(1008));
    ASSERT_NE(update, nullptr);
    ASSERT_TRUE(update->isEnabled());
    update->click();
    EXPECT_EQ(world.host.calls,
        (std::vector<std::string> { "LoadCurrentTimeServer", "StartSetTimeThread" }));
    qobject_cast<QPushButton*>(page->Control(1103))->click();
    EXPECT_EQ(world.host.helpContexts, std::vector<int> { 131176 });
}

TEST(PropertySheet, BubblesFollowTheSettingButTextsAreAlwaysRegistered)
{
    SheetWorld world;
    world.settings.WriteProfileInt(keys::kSettings, keys::kEnableBubbleTip, 0);
    CVelarinPropertySheet sheet(world.context);
    EXPECT_EQ(sheet.Balloon().enabled, 0);
    sheet.Page(1)->EnsureInitialised();
    QWidget* locked = sheet.Page(1)->Control(1004);
    EXPECT_TRUE(sheet.Balloon().Logic().IsTool(locked));
    // The receive indicator ends up with the text registered for its control id.
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    sheet.Balloon().RelayEvent(sheet.Page(1)->Control(1031), &enter);
    EXPECT_EQ(sheet.Balloon().Text(),
        QStringLiteral("Shows that NMEA sentences are being received on the RS-232 port"));

    SheetWorld other;
    CVelarinPropertySheet enabled(other.context);
    EXPECT_EQ(enabled.Balloon().enabled, 1);
}

TEST(PropertySheet, EventsOnTheWayToItsControlsReachTheBalloon)
{
    SheetWorld world;
    CVelarinPropertySheet sheet(world.context);
    sheet.Page(1)->EnsureInitialised();
    QWidget* status = sheet.Page(1)->Control(1007);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(status, &enter);
    EXPECT_EQ(sheet.Balloon().Text(),
        QStringLiteral("Shows GPS status and status while the system is setting the PC clock."));
    EXPECT_TRUE(sheet.Balloon().Logic().OverTool());

    // Widgets outside the sheet are not its business.
    QWidget stranger;
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&stranger, &leave);
    EXPECT_TRUE(sheet.Balloon().Logic().OverTool());
    QApplication::sendEvent(status, &leave);
    EXPECT_FALSE(sheet.Balloon().Logic().OverTool());
}
