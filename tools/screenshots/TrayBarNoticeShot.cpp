// The notice that the program lives in the notification area, as it shows at start-up.
#include "Shots.h"

#include "engine/settings/MemorySettingsStore.h"
#include "gui/ui/TrayBarDlg.h"
#include "support/EventPump.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(TrayBarNoticeShot, NoticeAtStartUp)
{
    velarin::MemorySettingsStore settings;
    velarin::CTrayBarDlg notice(settings, nullptr);
    notice.move(20, 20);
    notice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
    velarin::test::PumpEvents(300);
    EXPECT_TRUE(SaveScreenArea(QStringLiteral("tray-bar-notice"), notice.frameGeometry()));
}
