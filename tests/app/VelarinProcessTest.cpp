// The real program: one instance per settings folder, the system log option, help and the demo,
// whose receiver ends with it.
#include "support/VelarinProcess.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>

namespace velarin {
namespace {

using test::VelarinProcess;

QStringList headlessArguments(const QTemporaryDir& dir, const QString& log)
{
    return { "--headless", "--settings-dir", dir.path(), "--serial-device",
        dir.filePath("no-such-receiver"), "--system-log", log };
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : "<cannot read>";
}

TEST(VelarinProcess, SecondCopyAsksTheFirstForItsPropertiesAndLeavesItsLogAlone)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("velarin.log");
    std::ofstream(log.toStdString()) << "an older run's lines\n";
    VelarinProcess first(headlessArguments(dir, log));
    ASSERT_TRUE(first.WaitForStderr("velarin: running")) << first.Stderr().toStdString();
    EXPECT_EQ(first.Stderr().count("Communication Port Not Found!"), 1);
    EXPECT_EQ(contents(log), QByteArray()); // replaced
    EXPECT_FALSE(first.Stderr().contains("system log")) << first.Stderr().toStdString();

    // The second copy hands over to the first and ends without emptying the first one's file.
    std::ofstream(log.toStdString(), std::ios::app) << "written meanwhile\n";
    VelarinProcess second(headlessArguments(dir, log));
    EXPECT_EQ(second.Finish(), 0);
    // It neither runs nor opens anything.
    EXPECT_FALSE(second.Stderr().contains("running") || second.Stderr().contains("Not Found"))
        << second.Stderr().toStdString();
    EXPECT_TRUE(first.WaitForStderr("show properties requested")) << first.Stderr().toStdString();
    EXPECT_EQ(contents(log), QByteArray("written meanwhile\n"));

    // Another settings folder (here the user's, the default) is another program instance; a log
    // it cannot write is reported and the run goes on.
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_CONFIG_HOME", home.path());
    const QString badLog = home.filePath("no-such-folder/velarin.log");
    VelarinProcess other(
        { "--headless", "--serial-device", home.filePath("none"), "--system-log", badLog },
        environment);
    EXPECT_TRUE(other.WaitForStderr("(settings " + home.filePath("Orlo/velarin.ini") + ")"))
        << other.Stderr().toStdString();
    EXPECT_TRUE(
        other.Stderr().contains("cannot write the system log " + badLog + "; logging stays off"))
        << other.Stderr().toStdString();
    EXPECT_EQ(other.Terminate(), 0);
    EXPECT_EQ(first.Terminate(), 0);
    // Headless, nobody confirmed the first-time configuration: it is not marked done. (The
    // server list is seeded when the current server is first loaded, so the file may exist.)
    QSettings stored(dir.filePath("velarin.ini"), QSettings::IniFormat);
    EXPECT_FALSE(
        stored.contains("Settings/FirstTimeConfig") || stored.contains("Settings/UseNetworkTime"));
}

// Without a display only the demo runs, headless, with its settings in a folder of its own.
TEST(VelarinProcess, HelpVersionBadOptionAndTheDemoWithoutADisplay)
{
    VelarinProcess help({ "--help" });
    EXPECT_EQ(help.Finish(), 0);
    for (const char* text : { "--settings-dir", "--headless", "--serial-device", "--demo",
             "--system-log <FILE>", "stamped in UTC" })
        EXPECT_TRUE(help.Stdout().contains(text)) << text;
    VelarinProcess version({ "--version" });
    EXPECT_TRUE(version.Finish() == 0 && version.Stdout().contains(VELARIN_VERSION));
    EXPECT_NE(VelarinProcess({ "--headless", "--no-such-option" }).Finish(), 0);
    QTemporaryDir home;
    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        noDisplay.remove(name);
    noDisplay.insert("XDG_CONFIG_HOME", home.path());
    VelarinProcess windowed({}, noDisplay);
    EXPECT_TRUE(windowed.Finish() == 1
        && windowed.Stderr().contains("no display found; use --headless to run without one"));
    VelarinProcess demo({ "--demo" }, noDisplay); // one that ends normally, its receiver with it
    EXPECT_TRUE(demo.WaitForStderr("would set the clock to")) << demo.Stderr().toStdString();
    EXPECT_TRUE(demo.Stderr().contains("UTC (error ") && !demo.Stderr().contains("Port")
        && !demo.Stderr().contains(home.path()))
        << "the demo opens only its own receiver: " << demo.Stderr().toStdString();
    EXPECT_EQ(demo.Terminate(), 0);
}

// Whether `pid` is a running receiver; a zombie has no command line any more.
bool isReceiver(qint64 pid)
{
    QFile in(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return in.open(QIODevice::ReadOnly) && in.readAll().contains("simulate-gps");
}

// A second demo hands over before it starts anything; the receiver ends with the program, even
// one killed with SIGKILL.
TEST(VelarinProcess, SecondDemoHandsOverAndAKilledDemoLeavesNoReceiver)
{
    QTemporaryDir dir;
    const QStringList arguments { "--demo", "--headless", "--settings-dir", dir.path() };
    VelarinProcess demo(arguments);
    ASSERT_TRUE(demo.WaitForStderr("simulated receiver on /dev/pts/"))
        << demo.Stderr().toStdString();
    VelarinProcess again(arguments);
    EXPECT_EQ(again.Finish(), 0);
    EXPECT_FALSE(again.Stderr().contains("receiver")) << again.Stderr().toStdString();

    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(demo.Pid()));
    ASSERT_TRUE(children.open(QIODevice::ReadOnly));
    const qint64 receiver = children.readAll().split(' ').value(0).toLongLong();
    ASSERT_TRUE(isReceiver(receiver));
    ::kill(static_cast<pid_t>(demo.Pid()), SIGKILL);
    EXPECT_EQ(demo.Finish(), -1);
    for (int turn = 0; turn < 100 && isReceiver(receiver); ++turn)
        QThread::msleep(100);
    EXPECT_FALSE(isReceiver(receiver));
}

} // namespace
} // namespace velarin
