#include "engine/settings/SettingsKeys.h"
#include "gui/ui/CLedCtrl.h"
#include "gui/ui/CVelarinPropertyPage4.h"
#include "gui/ui/GpsPagesFixture.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "support/ModalDriver.h"
#include "support/PtyPair.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <fstream>
#include <iterator>
#include <poll.h>

using namespace velarin;
using velarin::test::WhenModal;

namespace {

using Page = CVelarinPropertyPage4;

std::string FileContents(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// The page with the GPS link open on a pseudo-terminal receiver; the test plays the main frame's
// reading tick.
struct CaptureWorld : velarin::testing::PageUnderTest<Page> {
    CaptureWorld()
    {
        world.settings.WriteProfileString(keys::kSerial, keys::kDevice, pty.SlavePath());
        port.SetSettingsStore(&world.settings);
        port.SetSleepFunction([](std::chrono::milliseconds) {});
        host.serialPort = &port;
        Open();
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
    LinuxSerialDevice device;
    velarin::test::RecordingNotifier portNotifier;
    CSerialPort port { device, portNotifier, "velarin" };
    QTemporaryDir dir;

    QStringList seenFilters;
    QString seenName;
    bool askedToReplace = false;
};

const std::string kSentences = "$GPGGA,213121.000,4404.1295864,N,12118.8685453,W,2,07,1.2,"
                               "1102.5,M,,M,,*7B\r\n$GPZDA,213121.00,14,11,2023,00,00*60\r\n"
                               "junk that no framer takes\x01\xff\r\n";

} // namespace

TEST(NmeaCapture, CopiesEveryByteReadWhileOnAndNothingAfter)
{
    CaptureWorld w;
    ASSERT_TRUE(w.pty.IsValid());
    ASSERT_EQ(w.port.Open(1, 4800, 0, 8, 0), 0);

    // Bytes before the capture are not in it.
    EXPECT_EQ(w.Receive("$GPGSA,before*00\r\n"), "$GPGSA,before*00\r\n");

    const QString path = w.dir.filePath(QStringLiteral("capture.txt"));
    w.ChooseFile(path);
    EXPECT_EQ(w.seenFilters, QStringList({ "Text Fils (NMEA) (*.txt)", "All Files (*.*)" }));
    EXPECT_EQ(w.seenName, QStringLiteral("NMEAFile"));
    EXPECT_FALSE(w.askedToReplace);
    ASSERT_TRUE(w.port.IsCaptureOpen());
    EXPECT_EQ(w.LedState(), led::kLit);
    EXPECT_EQ(w.LogButton()->text(), QStringLiteral("Close Log"));

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
    EXPECT_EQ(w.Receive("$GPZDA,x*00\r\n"), "$GPZDA,x*00\r\n");
    EXPECT_EQ(FileContents(path), "$GPZDA,x*00\r\n");
    EXPECT_TRUE(w.host.notifier.Messages().empty());
}

TEST(NmeaCapture, CancelOrRefusedReplaceChangesNothingAndANameWithoutExtensionGetsTheDefault)
{
    CaptureWorld w;
    w.ChooseFile(QString());
    w.ExpectOff();

    const QString existing = w.dir.filePath(QStringLiteral("keep.txt"));
    {
        std::ofstream(existing.toStdString()) << "keep me";
    }
    w.ChooseFile(existing, QMessageBox::No);
    EXPECT_TRUE(w.askedToReplace);
    EXPECT_FALSE(w.port.IsCaptureOpen());
    EXPECT_EQ(FileContents(existing), "keep me");

    w.ChooseFile(w.dir.filePath(QStringLiteral("receiver")));
    ASSERT_TRUE(w.port.IsCaptureOpen());
    EXPECT_TRUE(QFileInfo::exists(w.dir.filePath(QStringLiteral("receiver.TXT"))));
}

TEST(NmeaCapture, AFileThatCannotBeCreatedIsReportedAndNothingElseChanges)
{
    CaptureWorld w;
    w.ChooseFile(w.dir.filePath(QStringLiteral("no/such/folder/capture.txt")));
    w.ExpectOff();
    ASSERT_EQ(w.host.notifier.Messages().size(), 1u);
    EXPECT_EQ(w.host.notifier.Messages()[0].text, "Error!\n\nCould not open NMEA log file.");
}
