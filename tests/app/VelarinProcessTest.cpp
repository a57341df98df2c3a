#include "support/VelarinProcess.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velarin {
namespace {

using test::VelarinProcess;

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

    QTemporaryDir dir;
    const QStringList demoArguments { "--demo", "--headless", "--settings-dir", dir.path() };
    VelarinProcess demo(demoArguments);
    ASSERT_TRUE(demo.WaitForStderr("velarin: running")) << demo.Stderr().toStdString();
    EXPECT_TRUE(demo.Stderr().contains("simulated receiver on /dev/pts/"));
    EXPECT_FALSE(demo.Stderr().contains("Port")) << "the demo opens only its own receiver";
    // A second copy hands over before it starts anything, its receiver included.
    VelarinProcess again(demoArguments);
    EXPECT_EQ(again.Finish(), 0);
    EXPECT_FALSE(again.Stderr().contains("receiver")) << again.Stderr().toStdString();
    EXPECT_TRUE(demo.WaitForStderr("show properties requested")) << demo.Stderr().toStdString();
    EXPECT_EQ(demo.Terminate(), 0);
}

} // namespace
} // namespace velarin
