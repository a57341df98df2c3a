#include "app/core/DemoReceiver.h"

#include "app/core/ChildEndsWithParent.h"

#include <QCoreApplication>
#include <cstdio>

namespace velarin {

DemoReceiver::~DemoReceiver()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(1000))
            process_.kill();
        process_.waitForFinished(1000);
    }
}

QString DemoReceiver::Start()
{
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/velarin-tool");
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The receiver must not outlive the demo, even one that is killed.
    EndChildWithThisProcess(process_);
    process_.start(tool, { QStringLiteral("simulate-gps"), QStringLiteral("--pty") });
    if (!process_.waitForStarted(5000)) {
        std::fprintf(stderr, "velarin: demo: cannot start %s\n", qPrintable(tool));
        return {};
    }
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(5000)) {
            std::fprintf(stderr, "velarin: demo: the simulated receiver gave no device\n");
            return {};
        }
    }
    return QString::fromLocal8Bit(process_.readLine()).trimmed();
}

} // namespace velarin
