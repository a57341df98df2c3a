#include "support/VelarinProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velarin {
namespace {

using test::VelarinProcess;

QStringList Headless(const QTemporaryDir& dir, const QString& log)
{
    return { "--headless", "--settings-dir", dir.path(), "--serial-device",
        dir.filePath("no-such-receiver"), "--system-log", log };
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
}

void Append(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
    file.write(bytes);
}

TEST(SystemLogOption, OpensTheLogAtStartUpAndASecondCopyLeavesItAlone)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("velarin.log");
    Append(log, "an older run's lines\n");

    VelarinProcess first(Headless(dir, log));
    ASSERT_TRUE(first.WaitForStderr("velarin: running")) << first.Stderr().toStdString();
    EXPECT_EQ(Contents(log), QByteArray()); // replaced
    EXPECT_FALSE(first.Stderr().contains("system log")) << first.Stderr().toStdString();

    // A second copy hands over to the first and ends without emptying the first one's file.
    Append(log, "written meanwhile\n");
    VelarinProcess second(Headless(dir, log));
    EXPECT_EQ(second.Finish(), 0);
    EXPECT_EQ(Contents(log), QByteArray("written meanwhile\n"));
    EXPECT_EQ(first.Terminate(), 0);
}

TEST(SystemLogOption, AFileThatCannotBeWrittenIsReportedAndTheRunGoesOn)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("no-such-folder/velarin.log");
    VelarinProcess run(Headless(dir, log));
    ASSERT_TRUE(run.WaitForStderr("velarin: running")) << run.Stderr().toStdString();
    EXPECT_TRUE(run.Stderr().contains("cannot write the system log " + log + "; logging stays off"))
        << run.Stderr().toStdString();
    EXPECT_EQ(run.Terminate(), 0);
}

TEST(SystemLogOption, HelpNamesTheOption)
{
    VelarinProcess help({ "--help" });
    EXPECT_EQ(help.Finish(), 0);
    EXPECT_TRUE(help.Stdout().contains("--system-log <FILE>")) << help.Stdout().toStdString();
    EXPECT_TRUE(help.Stdout().contains("stamped in UTC")) << help.Stdout().toStdString();
}

} // namespace
} // namespace velarin
