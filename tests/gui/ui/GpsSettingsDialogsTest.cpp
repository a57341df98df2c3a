// The communication and PPS settings dialogs, alone and from the GPS configuration page, and
// the NMEA capture the page switches.
#include "engine/gps/SerialPort.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CCommSettingsDlg.h"
#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CPPSSettingsDlg.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/PropertySheetFixture.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "support/ModalDriver.h"
#include "support/PtyPair.h"

#include <QComboBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

#include <cerrno>
#include <fstream>
#include <poll.h>
#include <tuple>

using namespace velarin;
using velarin::test::WhenModal;
using velarin::testing::GpsSheet;

namespace {

using Page = CVelarinPropertyPage4;
using std::chrono::milliseconds;

// The page with a serial device of the given kind behind the GPS link.
template <class Device> struct PageWithPort : velarin::testing::PageUnderTest<Page> {
    void Attach()
    {
        port.SetSettingsStore(&world.settings);
        port.SetSleepFunction([this](milliseconds pause) { slept.push_back(pause); });
        host.serialPort = &port;
        Open();
    }
    Device device;
    velarin::test::RecordingNotifier portNotifier;
    CSerialPort port { device, portNotifier, "velarin" };
    std::vector<milliseconds> slept;
};

struct PageWithLink : PageWithPort<SimulatedSerialDevice> {
    PageWithLink() { Attach(); }
    std::string StoredDevice() { return world.StoredText(keys::kSerial, keys::kDevice); }
    // Runs the communication settings from the page with a scripted user.
    void CommSettings(std::function<void(CCommSettingsDlg*)> user)
    {
        WhenModal<CCommSettingsDlg>(std::move(user));
        page.OnCommSettings();
    }
};

std::string FileContents(const QString& path)
{
    return velarin::test::ReadFileBytes(path.toStdString());
}

// The page with the GPS link open on a pseudo-terminal receiver; the test plays the main frame's
// reading tick.
struct CaptureWorld : PageWithPort<LinuxSerialDevice> {
    CaptureWorld()
    {
        world.settings.WriteProfileString(keys::kSerial, keys::kDevice, pty.SlavePath());
        Attach();
    }
    QAbstractButton* LogButton() { return Get(Page::kLogNmea); }
    int LedState() { return page.LogIndicator()->State(); }
    // Off: indicator grey, button back.
    void ExpectOff()
    {
        EXPECT_FALSE(port.IsCaptureOpen());
        EXPECT_EQ(LedState(), led::kGreyed);
        EXPECT_EQ(LogButton()->text(), QStringLiteral("Log NMEA..."));
    }

    // The receiver sends text; the link reads until all of it has arrived (bounded).
    std::string Receive(const std::string& text)
    {
        EXPECT_TRUE(pty.Write(text));
        std::string got;
        for (int i = 0; i < 100 && got.size() < text.size(); ++i) {
            pollfd readable { port.Device().ReadableHandle(), POLLIN, 0 };
            ::poll(&readable, 1, 50);
            uint8_t buffer[512];
            const size_t n = port.Read(buffer, sizeof buffer);
            got.append(reinterpret_cast<const char*>(buffer), n);
        }
        return got;
    }

    // Answers the save-as dialog with a path (empty: cancel), and the overwrite question when
    // one comes.
    void ChooseFile(const QString& path, QMessageBox::StandardButton overwrite = QMessageBox::Yes)
    {
        WhenModal<QFileDialog>([this, path, overwrite](QFileDialog* dialog) {
            seenFilters = dialog->nameFilters();
            seenName = QFileInfo(dialog->selectedFiles().value(0)).completeBaseName();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            if (QFileInfo::exists(path))
                WhenModal<QMessageBox>([this, overwrite, dialog](QMessageBox* question) {
                    askedToReplace = true;
                    // By its button: the answer is read from the button clicked.
                    question->button(overwrite)->click();
                    // A refused replace leaves the file dialog open; the user then cancels it.
                    if (overwrite != QMessageBox::Yes)
                        QTimer::singleShot(0, dialog, &QDialog::reject);
                });
            velarin::test::ChooseInFileDialog(dialog, path);
            // Through QDialog: the file dialog's own override is not public.
            static_cast<QDialog*>(dialog)->accept();
        });
        LogButton()->click();
    }

    velarin::test::PtyPair pty;
    QTemporaryDir dir;

    QStringList seenFilters;
    QString seenName;
    bool askedToReplace = false;
};

const std::string kSentences = "$GPGGA,213121.000,4404.1295864,N,12118.8685453,W,2,07,1.2,"
                               "1102.5,M,,M,,*7B\r\n$GPZDA,213121.00,14,11,2023,00,00*60\r\n"
                               "junk that no framer takes\x01\xff\r\n";

} // namespace

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

// OK stores the choice and reopens the link with it; a device path
// is stored beside the number it leaves alone, and choosing a number forgets the path.
TEST(GpsConfigurationPage, CommSettingsOkStoresAndReopensThePortAndCancelChangesNothing)
{
    PageWithLink p;
    struct Step {
        QString shownPort, port, baud;
        int storedPort, storedBaud;
        std::string device, opened;
    };
    const Step steps[] { { "1", "3", "9600", 3, 9600, "", "/dev/ttyS2" },
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
        EXPECT_EQ(
            std::make_tuple(p.Stored(keys::kSerial, keys::kPort),
                p.Stored(keys::kSerial, keys::kBaud), p.StoredDevice(), p.device.LastOpenPath()),
            std::make_tuple(step.storedPort, step.storedBaud, step.device, step.opened));
    }
    // Each time closed with its pause and opened again: eight data bits, no parity, one stop bit.
    EXPECT_EQ(p.slept, std::vector<milliseconds>(3, milliseconds(1000)));
    const auto& line = p.device.LastLineSettings();
    EXPECT_EQ(std::vector<int>({ line.dataBits, line.parity, line.stopBits }),
        std::vector<int>({ 8, 0, 0 }));
    // Cancel changes nothing; a port that fails to open is told to the user.
    p.CommSettings([](CCommSettingsDlg* dialog) {
        dialog->PortBox()->setEditText(QStringLiteral("9"));
        qobject_cast<QAbstractButton*>(dialog->findChild<QWidget*>(QStringLiteral("2")))->click();
    });
    EXPECT_EQ(std::pair(p.slept.size(), p.Stored(keys::kSerial, keys::kPort)), std::pair(3ul, 5));
    p.device.SetOpenError(ENOENT);
    p.CommSettings([](CCommSettingsDlg* dialog) { dialog->accept(); });
    ASSERT_EQ(p.portNotifier.Messages().size(), 1u);
    EXPECT_EQ(p.portNotifier.Messages()[0].text.rfind("Communication Port Not Found!", 0), 0u);
}

TEST(GpsConfigurationPage, PpsSettingsOkWritesBothKeysAndCancelNone)
{
    PageWithLink p;
    const auto stored = [&p] {
        return std::make_pair(p.Stored(keys::kSettings, keys::kOnePpsPolarity),
            p.Stored(keys::kSettings, keys::kLine));
    };
    WhenModal<CPPSSettingsDlg>([](CPPSSettingsDlg* dialog) {
        EXPECT_EQ(dialog->PolarityBox()->currentIndex(), 2); // any transition
        dialog->DsrButton()->click();
        dialog->reject();
    });
    p.Get(Page::kPpsSettings)->click();
    EXPECT_EQ(stored(), std::make_pair(GpsSheet::kAbsent, GpsSheet::kAbsent));

    WhenModal<CPPSSettingsDlg>([](CPPSSettingsDlg* dialog) {
        dialog->DsrButton()->click();
        dialog->PolarityBox()->setCurrentIndex(1);
        dialog->accept();
    });
    p.Get(Page::kPpsSettings)->click();
    EXPECT_EQ(stored(), std::make_pair(1, 16));
}

TEST(NmeaCapture, CopiesEveryByteReadWhileOnAndNothingAfter)
{
    CaptureWorld w;
    ASSERT_TRUE(w.pty.IsValid());
    ASSERT_EQ(w.port.Open(1, 4800, 0, 8, 0), 0);
    // Bytes before the capture are not in it.
    EXPECT_EQ(w.Receive("$GPGSA,before*00\r\n"), "$GPGSA,before*00\r\n");

    const QString path = w.dir.filePath(QStringLiteral("capture.txt"));
    w.ChooseFile(path);
    EXPECT_EQ(w.seenFilters << w.seenName,
        QStringList({ "Text Fils (NMEA) (*.txt)", "All Files (*.*)", "NMEAFile" }));
    ASSERT_TRUE(w.port.IsCaptureOpen());
    EXPECT_EQ(std::make_pair(w.LedState(), w.LogButton()->text()),
        std::make_pair(int(led::kLit), QStringLiteral("Close Log")));

    EXPECT_EQ(w.Receive(kSentences), kSentences);
    EXPECT_EQ(FileContents(path), kSentences);
    // Off: later bytes not captured.
    w.LogButton()->click();
    w.ExpectOff();
    EXPECT_EQ(w.Receive("$GPRMC,after*00\r\n"), "$GPRMC,after*00\r\n");
    EXPECT_EQ(FileContents(path), kSentences);
    // The same file again: the user is asked, and the old contents go.
    w.ChooseFile(path);
    EXPECT_TRUE(w.askedToReplace);
    w.Receive("$GPZDA,x*00\r\n");
    EXPECT_EQ(FileContents(path), "$GPZDA,x*00\r\n");
    EXPECT_TRUE(w.host.notifier.Messages().empty());
}

TEST(NmeaCapture, CancelRefusedReplaceOrAFailedCreateChangeNothingAndANameGetsTheExtension)
{
    CaptureWorld w;
    w.ChooseFile(QString());
    w.ExpectOff();

    const QString existing = w.dir.filePath(QStringLiteral("keep.txt"));
    std::ofstream(existing.toStdString()) << "keep me" << std::flush;
    w.ChooseFile(existing, QMessageBox::No);
    EXPECT_TRUE(w.askedToReplace && !w.port.IsCaptureOpen());
    EXPECT_EQ(FileContents(existing), "keep me");
    // A file that cannot be created is reported and nothing else changes.
    w.ChooseFile(w.dir.filePath(QStringLiteral("no/such/folder/capture.txt")));
    w.ExpectOff();
    ASSERT_EQ(w.host.notifier.Messages().size(), 1u);
    EXPECT_EQ(w.host.notifier.Messages()[0].text, "Error!\n\nCould not open NMEA log file.");

    w.ChooseFile(w.dir.filePath(QStringLiteral("receiver")));
    ASSERT_TRUE(w.port.IsCaptureOpen());
    EXPECT_TRUE(QFileInfo::exists(w.dir.filePath(QStringLiteral("receiver.TXT"))));
}
