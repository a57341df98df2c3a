#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace velarin {
namespace {

// One headless run of the program on a settings folder of its own, with a serial device that
// does not exist. Reads stderr until a text shows (bounded), ends by SIGTERM.
class HeadlessRun {
public:
    HeadlessRun(const QTemporaryDir& dir, const QStringList& more)
    {
        process_.setProgram(QStringLiteral(VELARIN_APP_PATH));
        process_.setArguments(QStringList { "--headless", "--settings-dir", dir.path(),
                                  "--serial-device", dir.filePath("no-such-receiver") }
            + more);
        process_.start();
    }
    ~HeadlessRun()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    bool Shows(const QString& text)
    {
        for (int i = 0; i < 200 && !stderr_.contains(text); ++i) {
            process_.waitForReadyRead(100);
            stderr_ += QString::fromUtf8(process_.readAllStandardError());
            if (process_.state() == QProcess::NotRunning)
                break;
        }
        return stderr_.contains(text);
    }
    // SIGTERM first when asked; then waits (bounded) for the end.
    int End(bool terminate = true)
    {
        if (terminate)
            process_.terminate();
        process_.waitForFinished(20000);
        stderr_ += QString::fromUtf8(process_.readAllStandardError());
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    std::string Stderr() const { return stderr_.toStdString(); }

private:
    QProcess process_;
    QString stderr_;
};

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<cannot read>");
}

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
    file.write(bytes);
}

TEST(SystemLogOption, OpensTheLogAtStartUpAndASecondCopyLeavesItAlone)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("velarin.log");
    Write(log, "an older run's lines\n");

    HeadlessRun first(dir, { "--system-log", log });
    ASSERT_TRUE(first.Shows("velarin: running")) << first.Stderr();
    EXPECT_EQ(Contents(log), QByteArray()); // replaced
    EXPECT_FALSE(first.Stderr().find("system log") != std::string::npos) << first.Stderr();

    // A second copy hands over to the first and ends without emptying the first one's file.
    Write(log, "written meanwhile\n");
    HeadlessRun second(dir, { "--system-log", log });
    EXPECT_EQ(second.End(false), 0);
    EXPECT_EQ(Contents(log), QByteArray("written meanwhile\n"));
    EXPECT_EQ(first.End(), 0);
}

TEST(SystemLogOption, AFileThatCannotBeWrittenIsReportedAndTheRunGoesOn)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("no-such-folder/velarin.log");
    HeadlessRun run(dir, { "--system-log", log });
    ASSERT_TRUE(run.Shows("velarin: running")) << run.Stderr();
    EXPECT_NE(run.Stderr().find(
                  "cannot write the system log " + log.toStdString() + "; logging stays off"),
        std::string::npos)
        << run.Stderr();
    EXPECT_EQ(run.End(), 0);
}

TEST(SystemLogOption, HelpNamesTheOption)
{
    QProcess help;
    help.start(QStringLiteral(VELARIN_APP_PATH), { "--help" });
    ASSERT_TRUE(help.waitForFinished(20000));
    const QString text = QString::fromUtf8(help.readAllStandardOutput());
    EXPECT_TRUE(text.contains("--system-log <FILE>")) << text.toStdString();
    EXPECT_TRUE(text.contains("stamped in UTC")) << text.toStdString();
}

} // namespace
} // namespace velarin
