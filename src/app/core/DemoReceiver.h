#pragma once

#include <QProcess>
#include <QString>

namespace velarin {

// The simulated GPS receiver of a --demo run: `velarin-tool simulate-gps --pty` started as a
// child process, and the pseudo-terminal it prints first.
class DemoReceiver {
public:
    ~DemoReceiver();
    // Starts the tool found beside this program; the device path, or empty (with a message on
    // stderr) when it could not be started.
    QString Start();

private:
    QProcess process_;
};

} // namespace velarin
