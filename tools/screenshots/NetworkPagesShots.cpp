// Pictures of the network time page, the system configuration page and the server list dialog.
#include "Shots.h"

#include "engine/nettime/StoredServerList.h"
#include "gui/ui/CServerListDlg.h"
#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/CVelarinPropertyPage.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"

#include "gui/ui/QtWindowTimer.h"
#include "support/EventPump.h"
#include <QApplication>

#include <QApplication>
#include <QCursor>
#include <QGroupBox>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include <memory>

using namespace velarin;

namespace {

bool Grab(QWidget* window, const QString& file)
{
    return window->screen()->grabWindow(window->winId()).save(file);
}

} // namespace

TEST(NetworkPagesShots, NetworkAndSystemPagesAndServerList)
{
    const QString folder = ShotFolder();

    velarin::testing::NetworkSheetWorld world;
    PropertySheetContext context { world.state, world.settings, world.parser, world.clock,
        world.host, QtWindowTimerFactory::Instance() };
    StoreServerList(world.settings,
        { "time-a-g.nist.gov", "time-b-g.nist.gov", "time-a-wwv.nist.gov", "time-b-wwv.nist.gov",
            "time-a-b.nist.gov" });
    world.state.SetCurrentTimeServer("time-a-wwv.nist.gov");
    world.state.useNetworkTime = 1;

    CVelarinPropertyFrame* frame = CVelarinPropertyFrame::ShowProperties(nullptr, context, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    CVelarinPropertySheet& sheet = frame->Sheet();
    QCursor::setPos(0, 0); // no bubble over the controls

    sheet.setCurrentIndex(8);
    test::PumpEvents(1200);
    EXPECT_TRUE(Grab(frame, folder + "/network-time.png"));

    sheet.setCurrentIndex(9);
    test::PumpEvents(300);
    EXPECT_TRUE(Grab(frame, folder + "/system-configuration.png"));
    // The same page with its hidden diagnostics group revealed, to see where it sits.
    for (QGroupBox* group : sheet.Page(9)->findChildren<QGroupBox*>())
        group->show();
    sheet.Page(9)->Control(1104)->show();
    test::PumpEvents(300);
    EXPECT_TRUE(Grab(frame, folder + "/system-configuration-diagnostics.png"));

    // The dialog goes before the frame that parents it.
    auto dialogOwner = std::make_unique<CServerListDlg>(frame);
    CServerListDlg& dialog = *dialogOwner;
    dialog.serverCount = 5;
    for (int i = 0; i < 5; ++i)
        dialog.servers[static_cast<size_t>(i)] = world.settings.GetProfileString(
            "Network Daytime Protocol", "NetServer-0" + std::to_string(i), "");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    qobject_cast<QLineEdit*>(dialog.Control(1077))->setFocus();
    QTest::keyClicks(dialog.Control(1077), QStringLiteral("ntp.example.org"));
    test::PumpEvents(300);
    EXPECT_TRUE(Grab(&dialog, folder + "/server-list.png"));
    dialog.reject();
    dialogOwner.reset();
    delete frame;
}
