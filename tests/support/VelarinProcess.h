#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace velarin::test {

// Runs the real program. Every run names a serial device that does not exist (or uses the
// network reference), so no machine port is ever opened. A run still going at the end is killed.
class VelarinProcess {
public:
    explicit VelarinProcess(const QStringList& arguments);
    ~VelarinProcess();
    VelarinProcess(const VelarinProcess&) = delete;
    VelarinProcess& operator=(const VelarinProcess&) = delete;

    // Collects stderr until it holds `text` (bounded: about 20 s).
    bool WaitForStderr(const QString& text);
    // Waits (bounded) for the end: the exit code, or -1 when a signal ended it.
    int Finish();
    // SIGTERM, then Finish.
    int Terminate();
    const QString& Stderr() const { return stderr_; }
    const QString& Stdout() const { return stdout_; }

private:
    QProcess process_;
    QString stderr_;
    QString stdout_;
};

} // namespace velarin::test
