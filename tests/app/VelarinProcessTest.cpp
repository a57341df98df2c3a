#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velarin {
namespace {

// Runs the real program. Every run names a serial device that does not exist (or uses the
// network reference), so no machine port is ever opened.
class VelarinProcess {
public:
    explicit VelarinProcess(const QStringList& arguments)
    {
        process_.setProgram(QStringLiteral(VELARIN_APP_PATH));
        process_.setArguments(arguments);
        process_.start();
    }
    ~VelarinProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // Collects stderr until it holds `text` (bounded: about 20 s).
    bool WaitForStderr(const QString& text)
    {
        for (int i = 0; i < 200 && !stderr_.contains(text); ++i) {
            process_.waitForReadyRead(100);
            stderr_ += QString::fromUtf8(process_.readAllStandardError());
            if (process_.state() == QProcess::NotRunning) {
                stderr_ += QString::fromUtf8(process_.readAllStandardError());
                break;
            }
        }
        return stderr_.contains(text);
    }
    int Finish()
    {
        process_.waitForFinished(20000);
        stderr_ += QString::fromUtf8(process_.readAllStandardError());
        stdout_ += QString::fromUtf8(process_.readAllStandardOutput());
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    int Terminate()
    {
        process_.terminate();
        return Finish();
    }
    const QString& Stderr() const { return stderr_; }
    const QString& Stdout() const { return stdout_; }

private:
    QProcess process_;
    QString stderr_;
    QString stdout_;
};

QStringList headlessArguments(const QTemporaryDir& dir)
{
    return { "--headless", "--settings-dir", dir.path(), "--serial-device",
        dir.filePath("no-such-receiver") };
}

TEST(VelarinProcess, SecondCopyAsksTheFirstForItsPropertiesAndEnds)
{
    QTemporaryDir dir;
    VelarinProcess first(headlessArguments(dir));
    ASSERT_TRUE(first.WaitForStderr("velarin: running")) << first.Stderr().toStdString();
    EXPECT_EQ(first.Stderr().count("Communication Port Not Found!"), 1);

    VelarinProcess second(headlessArguments(dir));
    EXPECT_EQ(second.Finish(), 0);
    EXPECT_FALSE(second.Stderr().contains("running")) << second.Stderr().toStdString();
    EXPECT_FALSE(second.Stderr().contains("Not Found")) << "the second copy opens nothing";
    EXPECT_TRUE(first.WaitForStderr("show properties requested")) << first.Stderr().toStdString();

    // Another settings folder is another program instance.
    QTemporaryDir otherDir;
    VelarinProcess other(headlessArguments(otherDir));
    EXPECT_TRUE(other.WaitForStderr("velarin: running")) << other.Stderr().toStdString();
    EXPECT_EQ(other.Terminate(), 0);
    EXPECT_EQ(first.Terminate(), 0);
    // Headless, nobody confirmed the first-time configuration: it is not marked done. (The
    // server list is seeded when the current server is first loaded, so the file may exist.)
    QSettings stored(dir.filePath("velarin.ini"), QSettings::IniFormat);
    EXPECT_FALSE(stored.contains("Settings/FirstTimeConfig"));
    EXPECT_FALSE(stored.contains("Settings/UseNetworkTime"));
}

TEST(VelarinProcess, HelpVersionAndDemo)
{
    VelarinProcess help({ "--help" });
    EXPECT_EQ(help.Finish(), 0);
    for (const char* option : { "--settings-dir", "--headless", "--serial-device", "--demo" })
        EXPECT_TRUE(help.Stdout().contains(option)) << option;

    VelarinProcess version({ "--version" });
    EXPECT_EQ(version.Finish(), 0);
    EXPECT_TRUE(version.Stdout().contains(VELARIN_VERSION));

    VelarinProcess unknown({ "--headless", "--no-such-option" });
    EXPECT_NE(unknown.Finish(), 0);

    VelarinProcess demo({ "--demo" });
    ASSERT_TRUE(demo.WaitForStderr("velarin: running")) << demo.Stderr().toStdString();
    EXPECT_TRUE(demo.Stderr().contains("simulated receiver on /dev/pts/"));
    EXPECT_FALSE(demo.Stderr().contains("Port")) << "the demo opens only its own receiver";
    EXPECT_EQ(demo.Terminate(), 0);
}

} // namespace
} // namespace velarin
