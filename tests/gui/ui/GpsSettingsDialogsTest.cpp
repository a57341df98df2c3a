// The communication and PPS settings dialogs, alone and from the GPS configuration page.
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CCommSettingsDlg.h"
#include "gui/ui/CPPSSettingsDlg.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/GpsPagesFixture.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/ModalDriver.h"

#include <QComboBox>
#include <QRadioButton>
#include <cerrno>

using namespace velarin;
using velarin::test::WhenModal;
using velarin::testing::GpsSheet;

namespace {

using std::chrono::milliseconds;

// The page with a simulated serial device behind the GPS link.
struct PageWithLink : velarin::testing::PageUnderTest<CVelarinPropertyPage4> {
    PageWithLink()
    {
        port.SetSettingsStore(&world.settings);
        port.SetSleepFunction([this](milliseconds pause) { slept.push_back(pause); });
        host.serialPort = &port;
        Open();
    }
    std::string StoredDevice() { return world.StoredText(keys::kSerial, keys::kDevice); }
    // Runs the communication settings from the page with a scripted user.
    void CommSettings(std::function<void(CCommSettingsDlg*)> user)
    {
        WhenModal<CCommSettingsDlg>(std::move(user));
        page.OnCommSettings();
    }
    void PpsSettings(std::function<void(CPPSSettingsDlg*)> user)
    {
        WhenModal<CPPSSettingsDlg>(std::move(user));
        Get(CVelarinPropertyPage4::kPpsSettings)->click();
    }

    SimulatedSerialDevice device;
    velarin::test::RecordingNotifier portNotifier;
    CSerialPort port { device, portNotifier, "velarin" };
    std::vector<milliseconds> slept;
};

} // namespace

TEST(CommSettingsDialog, ListsNumberedPortsThenDevicesAndReadsAnyTypedNumberOrAPath)
{
    CCommSettingsDlg dialog({ "/dev/ttyS0", "/dev/ttyUSB0" });
    ASSERT_EQ(dialog.PortBox()->count(), 18);
    EXPECT_EQ(dialog.PortBox()->itemText(17), QStringLiteral("/dev/ttyUSB0"));
    dialog.show();
    dialog.PortBox()->setEditText(QStringLiteral("22"));
    dialog.BaudBox()->setEditText(QStringLiteral("31250"));
    dialog.accept();
    EXPECT_EQ(dialog.port, 22);
    EXPECT_EQ(dialog.baudRate, 31250);

    CCommSettingsDlg path;
    path.port = 4;
    path.device = "/dev/ttyUSB1";
    path.show();
    EXPECT_EQ(path.PortBox()->currentText(), QStringLiteral("/dev/ttyUSB1"));
    path.PortBox()->setEditText(QStringLiteral(" /dev/ttyACM0 "));
    path.BaudBox()->setEditText(QStringLiteral("fast"));
    path.accept();
    EXPECT_EQ(path.port, 4); // kept: the device chooses
    EXPECT_EQ(path.device, "/dev/ttyACM0");
    EXPECT_EQ(path.baudRate, 0); // not a number
}

// Any mask without the CTS bit shows DSR; a polarity outside the list is kept on OK.
TEST(PpsSettingsDialog, ShowsAnyMaskAsALineAndKeepsAnUnlistedPolarity)
{
    for (int mask : { 16, 0, 4, 24 }) {
        CPPSSettingsDlg other;
        other.lineMask = mask;
        other.polarity = 7;
        other.show();
        EXPECT_EQ(other.CtsButton()->isChecked(), (mask & 8) != 0) << mask;
        other.accept();
        EXPECT_EQ(other.polarity, 7);
    }
}

// OK stores the choice and reopens the link with it, even when nothing changed; a device path
// is stored beside the number it leaves alone, and choosing a number forgets the path.
TEST(GpsConfigurationPage, CommSettingsOkStoresAndReopensThePort)
{
    PageWithLink p;
    struct Step {
        QString shownPort, port, baud;
        int storedPort, storedBaud;
        std::string device, opened;
    };
    const Step steps[] { { "1", "", "", 1, 4800, "", "/dev/ttyS0" },
        { "1", "3", "9600", 3, 9600, "", "/dev/ttyS2" },
        { "3", "/dev/ttyUSB3", "", 3, 9600, "/dev/ttyUSB3", "/dev/ttyUSB3" },
        { "/dev/ttyUSB3", "5", "", 5, 9600, "", "/dev/ttyS4" } };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.port.toStdString());
        p.CommSettings([&step](CCommSettingsDlg* dialog) {
            EXPECT_EQ(dialog->PortBox()->currentText(), step.shownPort);
            if (!step.port.isEmpty())
                dialog->PortBox()->setEditText(step.port);
            if (!step.baud.isEmpty())
                dialog->BaudBox()->setCurrentText(step.baud);
            qobject_cast<QAbstractButton*>(dialog->findChild<QWidget*>(QStringLiteral("1")))
                ->click();
        });
        EXPECT_EQ(p.Stored(keys::kSerial, keys::kPort), step.storedPort);
        EXPECT_EQ(p.Stored(keys::kSerial, keys::kBaud), step.storedBaud);
        EXPECT_EQ(p.StoredDevice(), step.device);
        EXPECT_EQ(p.device.LastOpenPath(), step.opened);
        EXPECT_EQ(p.device.LastLineSettings().baud, step.storedBaud);
    }
    // Each time closed with its pause and opened again: eight data bits, no parity, one stop bit.
    EXPECT_EQ(p.slept, std::vector<milliseconds>(4, milliseconds(1000)));
    const auto& line = p.device.LastLineSettings();
    EXPECT_EQ(std::vector<int>({ line.dataBits, line.parity, line.stopBits }),
        std::vector<int>({ 8, 0, 0 }));
}

TEST(GpsConfigurationPage, CommSettingsCancelChangesNothingAndAFailedOpenTellsTheUser)
{
    PageWithLink p;
    p.CommSettings([](CCommSettingsDlg* dialog) {
        dialog->PortBox()->setEditText(QStringLiteral("9"));
        qobject_cast<QAbstractButton*>(dialog->findChild<QWidget*>(QStringLiteral("2")))->click();
    });
    EXPECT_EQ(p.Stored(keys::kSerial, keys::kPort), GpsSheet::kAbsent);
    EXPECT_TRUE(p.slept.empty());

    p.device.SetOpenError(ENOENT);
    p.CommSettings([](CCommSettingsDlg* dialog) { dialog->accept(); });
    ASSERT_EQ(p.portNotifier.Messages().size(), 1u);
    EXPECT_EQ(p.portNotifier.Messages()[0].text.rfind("Communication Port Not Found!", 0), 0u);
    EXPECT_FALSE(p.port.IsOpen());
}

TEST(GpsConfigurationPage, PpsSettingsOkWritesBothKeysAndCancelNone)
{
    PageWithLink p;
    const auto stored = [&p] {
        return std::make_pair(p.Stored(keys::kSettings, keys::kOnePpsPolarity),
            p.Stored(keys::kSettings, keys::kLine));
    };
    p.PpsSettings([](CPPSSettingsDlg* dialog) {
        // The defaults: any transition, CTS.
        EXPECT_EQ(dialog->PolarityBox()->currentIndex(), 2);
        EXPECT_TRUE(dialog->CtsButton()->isChecked());
        dialog->DsrButton()->click();
        dialog->reject();
    });
    EXPECT_EQ(stored(), std::make_pair(GpsSheet::kAbsent, GpsSheet::kAbsent));

    p.PpsSettings([](CPPSSettingsDlg* dialog) {
        dialog->DsrButton()->click();
        dialog->PolarityBox()->setCurrentIndex(1);
        dialog->accept();
    });
    EXPECT_EQ(stored(), std::make_pair(1, 16));

    // Unchanged OK writes what was shown.
    p.world.settings.WriteProfileInt(keys::kSettings, keys::kLine, 8);
    p.PpsSettings([](CPPSSettingsDlg* dialog) {
        EXPECT_TRUE(dialog->CtsButton()->isChecked());
        EXPECT_EQ(dialog->PolarityBox()->currentIndex(), 1);
        dialog->accept();
    });
    EXPECT_EQ(stored(), std::make_pair(1, 8));
}
