// The demo's simulated receiver ends with the program, even one killed with SIGKILL.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <csignal>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The simulated receivers whose parent is `parent`, read from /proc.
QList<qint64> receiversOf(qint64 parent)
{
    QList<qint64> found;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        QFile command(QStringLiteral("/proc/%1/cmdline").arg(entry));
        if (!stat.open(QIODevice::ReadOnly) || !command.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, so read after its ')'.
        const QList<QByteArray> fields = stat.readAll().split(')').last().split(' ');
        if (fields.size() > 2 && fields[2].toLongLong() == parent
            && command.readAll().contains("simulate-gps"))
            found.append(entry.toLongLong());
    }
    return found;
}

// A receiver still running; a zombie has no command line any more.
bool running(qint64 pid)
{
    QFile command(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return command.open(QIODevice::ReadOnly) && command.readAll().contains("simulate-gps");
}

TEST(ReceiverEndsWithDemo, KilledDemoLeavesNoReceiver)
{
    QProcess demo;
    demo.start(QStringLiteral(VELARIN_APP_PATH), { "--demo", "--headless" });
    ASSERT_TRUE(demo.waitForStarted(5000));
    QList<qint64> receivers;
    for (int turn = 0; turn < 200 && receivers.isEmpty(); ++turn) {
        demo.waitForReadyRead(100);
        receivers = receiversOf(demo.processId());
    }
    ASSERT_EQ(receivers.size(), 1);

    ::kill(static_cast<pid_t>(demo.processId()), SIGKILL);
    demo.waitForFinished(5000);
    for (int turn = 0; turn < 100 && running(receivers[0]); ++turn)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(running(receivers[0]));
    if (running(receivers[0]))
        ::kill(static_cast<pid_t>(receivers[0]), SIGKILL);
}

} // namespace
