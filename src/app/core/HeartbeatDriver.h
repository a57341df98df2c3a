#pragma once

#include "engine/frame/Heartbeat.h"
#include "platform/SystemClock.h"

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <functional>
#include <memory>

namespace velarin {

// Runs the heartbeat on the Qt event loop of the user-interface thread: timers of 50 ms,
// 200 ms and 1 s, and a notifier on the serial descriptor so that a new second is decoded as
// soon as its bytes arrive rather than at the next 50 ms tick. The GUI main frame and the
// headless run own one each; it needs only a QCoreApplication.
class HeartbeatDriver : public QObject {
    Q_OBJECT

public:
    // readableHandle: the GPS link's descriptor (-1 while closed), asked again at every tick
    // because the link can be reopened or go away.
    HeartbeatDriver(Heartbeat& heartbeat, SystemClock& clock, std::function<int()> readableHandle,
        QObject* parent = nullptr);
    ~HeartbeatDriver() override;

    // Start values, first timer-1 tick at once (the start-up setting), then the timers.
    void Start();
    void Stop();
    // With false, serial bytes are read by the 50 ms tick only (for measuring the difference).
    void SetReadOnNotify(bool enabled);

private:
    void onTimer1();
    void onReadable();
    void watchDescriptor();

    Heartbeat& heartbeat_;
    SystemClock& clock_;
    std::function<int()> readableHandle_;
    QTimer timer1_;
    QTimer timer3_;
    QTimer timer4_;
    std::unique_ptr<QSocketNotifier> notifier_;
    int watchedHandle_ = -1;
    bool readOnNotify_ = true;
};

} // namespace velarin
