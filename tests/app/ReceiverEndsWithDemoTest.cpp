// The demo's simulated receiver ends with the program, even one killed with SIGKILL.
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// Whether `pid` is a running receiver; a zombie has no command line any more.
bool isReceiver(qint64 pid)
{
    QFile in(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return in.open(QIODevice::ReadOnly) && in.readAll().contains("simulate-gps");
}

TEST(ReceiverEndsWithDemo, KilledDemoLeavesNoReceiver)
{
    QProcess demo;
    demo.start(QStringLiteral(VELARIN_APP_PATH), { "--demo", "--headless" });
    ASSERT_TRUE(demo.waitForStarted(5000));
    qint64 receiver = 0;
    for (int turn = 0; turn < 200 && receiver == 0; ++turn) {
        demo.waitForReadyRead(100);
        QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(demo.processId()));
        const qint64 child = children.open(QIODevice::ReadOnly)
            ? children.readAll().split(' ').value(0).toLongLong()
            : 0;
        receiver = isReceiver(child) ? child : 0;
    }
    ASSERT_NE(receiver, 0);

    ::kill(static_cast<pid_t>(demo.processId()), SIGKILL);
    demo.waitForFinished(5000);
    for (int turn = 0; turn < 100 && isReceiver(receiver); ++turn)
        QThread::msleep(100);
    EXPECT_FALSE(isReceiver(receiver));
}

} // namespace
