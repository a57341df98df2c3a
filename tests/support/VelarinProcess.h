#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace velarin::test {

// Runs the real program. Every run names a serial device that does not exist (or uses the
// network reference), so no machine port is ever opened. A run still going at the end is killed.
class VelarinProcess {
public:
    explicit VelarinProcess(const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
    {
        process_.setProcessEnvironment(environment);
        process_.start(QStringLiteral(VELARIN_APP_PATH), arguments);
    }
    ~VelarinProcess()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }

    // Collects stderr until it holds `text` (bounded: about 20 s) or the program ended.
    bool WaitForStderr(const QString& text)
    {
        for (int i = 0, ended = 0; i < 200 && !ended && !stderr_.contains(text); ++i) {
            ended = process_.state() == QProcess::NotRunning; // read what it left, then stop
            process_.waitForReadyRead(100);
            stderr_ += QString::fromUtf8(process_.readAllStandardError());
        }
        return stderr_.contains(text);
    }
    // Waits (bounded) for the end: the exit code, or -1 when a signal ended it.
    int Finish()
    {
        process_.waitForFinished(20000);
        stderr_ += QString::fromUtf8(process_.readAllStandardError());
        stdout_ += QString::fromUtf8(process_.readAllStandardOutput());
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    }
    int Terminate() { return process_.terminate(), Finish(); }
    const QString& Stderr() const { return stderr_; }
    const QString& Stdout() const { return stdout_; }
    qint64 Pid() const { return process_.processId(); }

private:
    QProcess process_;
    QString stderr_, stdout_;
};

} // namespace velarin::test
