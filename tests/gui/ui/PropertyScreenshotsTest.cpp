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

// Pictures of the two live pages fed from a real receiver capture, on a real display:
//   VELARIN_SCREENSHOT_DIR=/tmp/shots xvfb-run -a -s "-screen 0 1024x768x24"
//       env QT_QPA_PLATFORM=xcb tests/test_gui --gtest_filter='PropertyScreenshots.*'
// Skipped unless the folder is given.
TEST(PropertyScreenshots, GpsStatusAndPositionPages)
{
    const QString folder = qEnvironmentVariable("VELARIN_SCREENSHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "VELARIN_SCREENSHOT_DIR not set";
    const std::string capture = velarin::testing::ReadCapture("skytraq-dgps.log");
    if (capture.empty())
        GTEST_SKIP() << "receiver captures not found";

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
