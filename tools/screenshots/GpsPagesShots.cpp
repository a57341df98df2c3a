// Pictures of the clock update and GPS configuration pages and their dialogs.
#include "Shots.h"

#include "engine/gps/SerialPort.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CCommSettingsDlg.h"
#include "gui/ui/CPPSSettingsDlg.h"
#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/PropertySheetFixture.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/EventPump.h"
#include "support/ModalDriver.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QTemporaryDir>

using namespace velarin;
using velarin::test::WhenModal;
using velarin::testing::GpsSheet;
using velarin::testing::kClockUpdateTab;
using velarin::testing::kGpsConfigurationTab;

namespace {

void SaveWindow(const QString& name, QWidget& window, bool place = true)
{
    if (place) {
        window.adjustSize();
        window.move(20, 20);
        window.show();
    }
    velarin::test::PumpEvents(300);
    EXPECT_TRUE(SaveScreenArea(name, window.frameGeometry()));
    if (place)
        window.hide();
}

} // namespace

TEST(GpsPagesShots, ClockUpdateAndGpsConfigurationPages)
{

    // In the properties window, as the program shows it.
    GpsSheet clockUpdate(kClockUpdateTab);
    clockUpdate.world.state.timeReferenceUsable = 1;
    CVelarinPropertyFrame clockFrame(clockUpdate.context);
    clockFrame.Sheet().setCurrentIndex(kClockUpdateTab);
    SaveWindow(QStringLiteral("page-update-pc-clock"), clockFrame);

    GpsSheet gps(kGpsConfigurationTab);
    gps.world.state.useTimrFrom = 2;
    gps.world.settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, 50);
    CVelarinPropertyFrame gpsFrame(gps.context);
    gpsFrame.Sheet().setCurrentIndex(kGpsConfigurationTab);
    SaveWindow(QStringLiteral("page-gps-configuration"), gpsFrame);

    // While capturing: the indicator lit and the button reading "Close Log".
    SimulatedSerialDevice device;
    velarin::test::RecordingNotifier notifier;
    CSerialPort port(device, notifier, "velarin");
    gps.host.serialPort = &port;
    const QTemporaryDir captureDir; // the log itself is no picture
    const QString capture = captureDir.filePath(QStringLiteral("capture.txt"));
    WhenModal<QFileDialog>([capture](QFileDialog* dialog) {
        SaveWindow(QStringLiteral("dialog-log-nmea-save-as"), *dialog, false);
        velarin::test::ChooseInFileDialog(dialog, capture);
        // Through QDialog: the file dialog's own override is not public.
        static_cast<QDialog*>(dialog)->accept();
    });
    auto* page = static_cast<CVelarinPropertyPage4*>(gpsFrame.Sheet().Page(kGpsConfigurationTab));
    page->ToggleNmeaCapture();
    ASSERT_TRUE(port.IsCaptureOpen());
    SaveWindow(QStringLiteral("page-gps-configuration-logging"), gpsFrame);
    port.CloseCaptureFile();

    CCommSettingsDlg comm({ "/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyACM0" });
    comm.port = 1;
    comm.baudRate = 4800;
    SaveWindow(QStringLiteral("dialog-communication-settings"), comm);
    comm.show();
    comm.PortBox()->showPopup();
    velarin::test::PumpEvents(300);
    {
        QRect area = comm.frameGeometry();
        if (QWidget* popup = comm.PortBox()->view()->window())
            area = area.united(popup->frameGeometry());
        EXPECT_TRUE(SaveScreenArea(QStringLiteral("dialog-communication-ports"), area));
    }
    comm.PortBox()->hidePopup();
    comm.hide();

    CPPSSettingsDlg pps;
    pps.polarity = 2;
    pps.lineMask = 8;
    SaveWindow(QStringLiteral("dialog-pps-settings"), pps);
}
