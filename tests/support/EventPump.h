#pragma once

#include <QApplication>
#include <QElapsedTimer>

namespace velarin::test {

// Runs the event loop for a while (for pictures on a real display, where windows take their
// time to be drawn).
inline void PumpEvents(int milliseconds)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace velarin::test
