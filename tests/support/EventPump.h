#pragma once

#include <QApplication>
#include <QElapsedTimer>

namespace velarin::test {

// Runs the event loop for a while (windows on a real display take their time to be drawn).
inline void PumpEvents(int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace velarin::test
