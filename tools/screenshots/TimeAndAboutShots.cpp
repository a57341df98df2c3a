// Pictures of the "Time", "About Velarin", "License" and "IRIG Configuration" pages.
#include "Shots.h"

#include "engine/irig/IrigGenerator.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/ClockTestSupport.h"
#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/CVelarinPropertyPage.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"
#include "gui/ui/QtWindowTimer.h"
#include "gui/ui/TrayBarDlg.h"
#include "platform/sim/NullAudioDevice.h"
#include "support/RecordingNotifier.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>

using namespace velarin;

TEST(TimeAndAboutShots, TimeAboutLicenseAndIrigPages)
{
    const QString folder = ShotFolder();

    AppState state;
    state.timeReferenceUsable = 1;
    state.clockActiveSegColor = 0xFF0000;
    state.clockInactiveSegColor = 0x300000;
    MemorySettingsStore settings;
    settings.WriteProfileInt(keys::kSettings, keys::kClockColor, 32780);
    settings.WriteProfileInt(keys::kIrig, keys::kEnable12HourMode, 1);
    CNmeaParser parser;
    SimulatedSystemClock clock;
    velarin::testing::FakeSheetHost host;
    NullAudioDevice device;
    test::RecordingNotifier notifier;
    CIrigGenerator generator(clock, device, notifier);
    host.generator = &generator;
    PropertySheetContext context { state, settings, parser, clock, host,
        QtWindowTimerFactory::Instance() };

    CVelarinPropertyFrame* frame = CVelarinPropertyFrame::ShowProperties(nullptr, context, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    CVelarinPropertySheet& sheet = frame->Sheet();
    QCursor::setPos(0, 0);
    QScreen* screen = frame->screen();
    const std::vector<std::pair<int, QString>> shots { { 0, "time.png" },
        { 5, "about-velarin.png" }, { 6, "license.png" }, { 7, "irig-configuration.png" } };
    for (const auto& [tab, name] : shots) {
        sheet.setCurrentIndex(tab);
        velarin::test::ProcessEventsUntil([] { return false; }, 1200);
        EXPECT_TRUE(screen->grabWindow(frame->winId()).save(folder + QLatin1Char('/') + name));
    }
    // The IRIG page once more with the output on: the compression greyed.
    qobject_cast<QAbstractButton*>(sheet.Page(7)->Control(1095))->click();
    velarin::test::ProcessEventsUntil([] { return false; }, 300);
    EXPECT_TRUE(
        screen->grabWindow(frame->winId()).save(folder + QStringLiteral("/irig-output-on.png")));
    generator.Stop();
    delete frame;

    CTrayBarDlg notice(settings, nullptr);
    notice.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&notice));
    velarin::test::ProcessEventsUntil([] { return false; }, 300);
    EXPECT_TRUE(screen->grabWindow(notice.winId()).save(folder + "/tray-bar-notice.png"));
}
