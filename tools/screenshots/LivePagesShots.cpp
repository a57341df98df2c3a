// Pictures of the two live pages fed from a real receiver capture, and a help bubble.
#include "Shots.h"

#include "gui/ui/CBalloonTipWnd.h"
#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/CVelarinPropertyPage1.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/PropertySheetFixture.h"
#include "gui/ui/QtWindowTimer.h"
#include "support/EventPump.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>

using namespace velarin;

TEST(LivePagesShots, GpsStatusAndPositionPages)
{
    const QString folder = ShotFolder();
    const std::string capture = velarin::testing::ReadCapture("skytraq-dgps.log");
    ASSERT_FALSE(capture.empty());

    AppState state;
    MemorySettingsStore settings;
    CNmeaParser parser;
    SimulatedSystemClock clock;
    velarin::testing::FakeSheetHost host;
    PropertySheetContext context { state, settings, parser, clock, host,
        QtWindowTimerFactory::Instance() };

    // Everything but the last second of the capture, then the last one while the page is up so
    // that the receive indicator is caught lit.
    const size_t lastSecond = capture.rfind("$GPGGA");
    parser.ProcessBytes(capture.substr(0, lastSecond));
    state.timeReferenceUsable = parser.IsTimeLocked(state) ? 1 : 0;

    CVelarinPropertyFrame* frame = CVelarinPropertyFrame::ShowProperties(nullptr, context, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    CVelarinPropertySheet& sheet = frame->Sheet();

    // The mouse away from the controls, so that no bubble covers them.
    QCursor::setPos(0, 0);
    sheet.setCurrentIndex(1);
    test::PumpEvents(1200);
    parser.ProcessBytes(capture.substr(lastSecond));
    test::PumpEvents(60);
    QScreen* screen = frame->screen();
    EXPECT_TRUE(screen->grabWindow(frame->winId()).save(folder + "/gps-signal-quality.png"));

    sheet.setCurrentIndex(3);
    test::PumpEvents(1200);
    EXPECT_TRUE(screen->grabWindow(frame->winId()).save(folder + "/position.png"));

    // A help bubble over the position page's latitude.
    QWidget* latitude = sheet.Page(3)->Control(1003);
    QTest::mouseMove(latitude, QPoint(20, 8));
    test::PumpEvents(1300);
    EXPECT_TRUE(screen->grabWindow(0)
                    .copy(frame->frameGeometry().adjusted(0, -80, 0, 0))
                    .save(folder + "/position-bubble.png"));
    delete frame;
}
