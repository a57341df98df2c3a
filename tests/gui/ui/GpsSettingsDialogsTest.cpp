#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CCommSettingsDlg.h"
#include "gui/ui/CPPSSettingsDlg.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/GpsPagesFixture.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/ModalDriver.h"

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <cerrno>

using namespace velarin;
using velarin::test::WhenModal;
using velarin::testing::GpsSheet;
using velarin::testing::kGpsConfigurationTab;

namespace {

QStringList Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

// The page with a simulated serial device behind the GPS link.
struct PageWithLink : GpsSheet {
    PageWithLink()
        : GpsSheet(kGpsConfigurationTab)
    {
        port.SetSettingsStore(&world.settings);
        port.SetSleepFunction([this](std::chrono::milliseconds pause) { slept.push_back(pause); });
        host.serialPort = &port;
        Show();
    }
    CVelarinPropertyPage4& Page4() { return page<CVelarinPropertyPage4>(); }
    std::string StoredDevice()
    {
        return world.settings.GetProfileString(keys::kSerial, keys::kDevice, "<absent>");
    }

    SimulatedSerialDevice device;
    velarin::test::RecordingNotifier portNotifier;
    CSerialPort port { device, portNotifier, "velarin" };
    std::vector<std::chrono::milliseconds> slept;
};

} // namespace

TEST(CommSettingsDialog, ListsNumberedPortsThenDevicesAndShowsTheMembers)
{
    CCommSettingsDlg dialog({ "/dev/ttyS0", "/dev/ttyUSB0" });
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Communication Settings"));
    QStringList ports;
    for (int n = 1; n <= 16; ++n)
        ports << QString::number(n);
    ports << QStringLiteral("/dev/ttyS0") << QStringLiteral("/dev/ttyUSB0");
    EXPECT_EQ(Items(dialog.PortBox()), ports);
    EXPECT_EQ(Items(dialog.BaudBox()),
        QStringList({ "300", "1200", "4800", "9600", "19200", "38400", "57600", "115200" }));
    EXPECT_TRUE(dialog.PortBox()->isEditable());
    EXPECT_TRUE(dialog.BaudBox()->isEditable());

    dialog.port = 3;
    dialog.baudRate = 9600;
    dialog.show();
    EXPECT_EQ(dialog.PortBox()->currentText(), QStringLiteral("3"));
    EXPECT_EQ(dialog.BaudBox()->currentText(), QStringLiteral("9600"));

    CCommSettingsDlg withDevice;
    withDevice.port = 3;
    withDevice.device = "/dev/ttyACM0";
    withDevice.show();
    EXPECT_EQ(withDevice.PortBox()->currentText(), QStringLiteral("/dev/ttyACM0"));
}

TEST(CommSettingsDialog, OkReadsAnyTypedNumberOrADevicePath)
{
    CCommSettingsDlg dialog;
    dialog.show();
    dialog.PortBox()->setEditText(QStringLiteral("22"));
    dialog.BaudBox()->setEditText(QStringLiteral("31250"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.port, 22);
    EXPECT_EQ(dialog.baudRate, 31250);
    EXPECT_EQ(dialog.portText, QStringLiteral("22"));
    EXPECT_EQ(dialog.baudText, QStringLiteral("31250"));
    EXPECT_EQ(dialog.device, "");

    CCommSettingsDlg path;
    path.port = 4;
    path.device = "/dev/ttyUSB1";
    path.show();
    path.PortBox()->setEditText(QStringLiteral(" /dev/ttyACM0 "));
    path.BaudBox()->setEditText(QStringLiteral("fast"));
    path.accept();
    EXPECT_EQ(path.port, 4); // kept: the device chooses
    EXPECT_EQ(path.device, "/dev/ttyACM0");
    EXPECT_EQ(path.baudRate, 0); // not a number
}

TEST(PpsSettingsDialog, ShowsLineAndPolarityAndReadsThemBack)
{
    CPPSSettingsDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("PPS Settings"));
    EXPECT_EQ(Items(dialog.PolarityBox()),
        QStringList({ "Trigger on High to Low Transition", "Trigger on Low to High Transition",
            "Trigger on Any Transition" }));
    EXPECT_FALSE(dialog.PolarityBox()->isEditable());
    dialog.polarity = 2;
    dialog.lineMask = 8;
    dialog.show();
    EXPECT_EQ(dialog.PolarityBox()->currentIndex(), 2);
    EXPECT_TRUE(dialog.CtsButton()->isChecked());

    dialog.DsrButton()->click();
    EXPECT_EQ(dialog.lineMask, 16);
    dialog.CtsButton()->click();
    EXPECT_EQ(dialog.lineMask, 8);
    dialog.PolarityBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog.polarity, 2); // exchanged only on OK
    dialog.accept();
    EXPECT_EQ(dialog.polarity, 0);
}

TEST(PpsSettingsDialog, AnyMaskWithoutTheCtsBitShowsDsr)
{
    for (int mask : { 16, 0, 4, 17 }) {
        CPPSSettingsDlg dialog;
        dialog.lineMask = mask;
        dialog.show();
        EXPECT_TRUE(dialog.DsrButton()->isChecked()) << mask;
        EXPECT_FALSE(dialog.CtsButton()->isChecked()) << mask;
    }
    CPPSSettingsDlg cts;
    cts.lineMask = 8 | 16;
    cts.show();
    EXPECT_TRUE(cts.CtsButton()->isChecked());
}

TEST(PpsSettingsDialog, StoredPolarityOutsideTheListIsKeptOnOk)
{
    CPPSSettingsDlg dialog;
    dialog.polarity = 7;
    dialog.show();
    EXPECT_EQ(dialog.PolarityBox()->currentIndex(), -1);
    dialog.accept();
    EXPECT_EQ(dialog.polarity, 7);
}

TEST(GpsConfigurationPage, CommSettingsOkStoresAndReopensThePortEvenWhenNothingChanged)
{
    PageWithLink p;
    WhenModal<CCommSettingsDlg>([](CCommSettingsDlg* dialog) {
        EXPECT_EQ(dialog->PortBox()->currentText(), QStringLiteral("1"));
        EXPECT_EQ(dialog->BaudBox()->currentText(), QStringLiteral("4800"));
        dialog->accept();
    });
    p.Page4().OnCommSettings();
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kPort), 1);
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kBaud), 4800);
    EXPECT_EQ(p.StoredDevice(), "");
    // Closed (with its pause) and opened again with the same values.
    EXPECT_EQ(p.slept, std::vector<std::chrono::milliseconds> { std::chrono::milliseconds(1000) });
    EXPECT_TRUE(p.port.IsOpen());
    EXPECT_EQ(p.device.LastOpenPath(), "/dev/ttyS0");
    EXPECT_EQ(p.device.LastLineSettings().baud, 4800);
    EXPECT_EQ(p.device.LastLineSettings().dataBits, 8);
    EXPECT_EQ(p.device.LastLineSettings().parity, 0);
    EXPECT_EQ(p.device.LastLineSettings().stopBits, 0);

    WhenModal<CCommSettingsDlg>([](CCommSettingsDlg* dialog) {
        dialog->PortBox()->setEditText(QStringLiteral("3"));
        dialog->BaudBox()->setCurrentIndex(3);
        qobject_cast<QPushButton*>(dialog->findChild<QWidget*>(QStringLiteral("1")))->click();
    });
    p.Page4().OnCommSettings();
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kPort), 3);
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kBaud), 9600);
    EXPECT_EQ(p.device.LastOpenPath(), "/dev/ttyS2");
    EXPECT_EQ(p.device.LastLineSettings().baud, 9600);
    EXPECT_EQ(p.port.PortNumber(), 3);
}

TEST(GpsConfigurationPage, CommSettingsDevicePathIsStoredAndANumberForgetsIt)
{
    PageWithLink p;
    p.world.settings.WriteProfileInt(keys::kSerial, keys::kPort, 2);
    WhenModal<CCommSettingsDlg>([](CCommSettingsDlg* dialog) {
        dialog->PortBox()->setEditText(QStringLiteral("/dev/ttyUSB3"));
        dialog->accept();
    });
    p.Page4().OnCommSettings();
    EXPECT_EQ(p.StoredDevice(), "/dev/ttyUSB3");
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kPort), 2);
    EXPECT_EQ(p.device.LastOpenPath(), "/dev/ttyUSB3");

    // Reopening the dialog shows the device; choosing a number brings the numbering back.
    WhenModal<CCommSettingsDlg>([](CCommSettingsDlg* dialog) {
        EXPECT_EQ(dialog->PortBox()->currentText(), QStringLiteral("/dev/ttyUSB3"));
        dialog->PortBox()->setCurrentIndex(4);
        dialog->accept();
    });
    p.Page4().OnCommSettings();
    EXPECT_EQ(p.StoredDevice(), "");
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kPort), 5);
    EXPECT_EQ(p.device.LastOpenPath(), "/dev/ttyS4");
}

TEST(GpsConfigurationPage, CommSettingsCancelChangesNothing)
{
    PageWithLink p;
    WhenModal<CCommSettingsDlg>([](CCommSettingsDlg* dialog) {
        dialog->PortBox()->setEditText(QStringLiteral("9"));
        qobject_cast<QPushButton*>(dialog->findChild<QWidget*>(QStringLiteral("2")))->click();
    });
    p.Page4().OnCommSettings();
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kPort), GpsSheet::kAbsent);
    EXPECT_EQ(p.StoredDevice(), "<absent>");
    EXPECT_TRUE(p.slept.empty());
    EXPECT_FALSE(p.port.IsOpen());
}

TEST(GpsConfigurationPage, CommSettingsFailedOpenTellsTheUser)
{
    PageWithLink p;
    p.device.SetOpenError(ENOENT);
    WhenModal<CCommSettingsDlg>([](CCommSettingsDlg* dialog) { dialog->accept(); });
    p.Page4().OnCommSettings();
    ASSERT_EQ(p.portNotifier.Messages().size(), 1u);
    EXPECT_EQ(p.portNotifier.Messages()[0].text.rfind("Communication Port Not Found!", 0), 0u);
    EXPECT_FALSE(p.port.IsOpen());
}

TEST(GpsConfigurationPage, PpsSettingsOkWritesBothKeysAndCancelNone)
{
    PageWithLink p;
    WhenModal<CPPSSettingsDlg>([](CPPSSettingsDlg* dialog) {
        // The defaults: any transition, CTS.
        EXPECT_EQ(dialog->PolarityBox()->currentIndex(), 2);
        EXPECT_TRUE(dialog->CtsButton()->isChecked());
        dialog->DsrButton()->click();
        dialog->PolarityBox()->setCurrentIndex(1);
        dialog->reject();
    });
    p.Page4().OnPpsSettings();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kOnePpsPolarity), GpsSheet::kAbsent);
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kLine), GpsSheet::kAbsent);

    WhenModal<CPPSSettingsDlg>([](CPPSSettingsDlg* dialog) {
        dialog->DsrButton()->click();
        dialog->PolarityBox()->setCurrentIndex(1);
        dialog->accept();
    });
    qobject_cast<QPushButton*>(p.Page4().Control(CVelarinPropertyPage4::kPpsSettings))->click();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kOnePpsPolarity), 1);
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kLine), 16);

    // Unchanged OK writes what was shown.
    WhenModal<CPPSSettingsDlg>([](CPPSSettingsDlg* dialog) {
        EXPECT_TRUE(dialog->DsrButton()->isChecked());
        EXPECT_EQ(dialog->PolarityBox()->currentIndex(), 1);
        dialog->accept();
    });
    p.Page4().OnPpsSettings();
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kOnePpsPolarity), 1);
    EXPECT_EQ(p.Stored(keys::kSettings, keys::kLine), 16);
}
