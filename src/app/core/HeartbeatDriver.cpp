#include "app/core/HeartbeatDriver.h"

namespace velarin {

HeartbeatDriver::HeartbeatDriver(
    Heartbeat& heartbeat, SystemClock& clock, std::function<int()> readableHandle, QObject* parent)
    : QObject(parent)
    , heartbeat_(heartbeat)
    , clock_(clock)
    , readableHandle_(std::move(readableHandle))
{
    // Precise timers: the default coarse ones may fire up to 5 % late.
    for (QTimer* timer : { &timer1_, &timer3_, &timer4_ })
        timer->setTimerType(Qt::PreciseTimer);
    timer1_.setInterval(50);
    timer3_.setInterval(200);
    timer4_.setInterval(1000);
    connect(&timer1_, &QTimer::timeout, this, &HeartbeatDriver::onTimer1);
    connect(&timer3_, &QTimer::timeout, this, [this] { heartbeat_.OnTimer3(); });
    connect(&timer4_, &QTimer::timeout, this, [this] { heartbeat_.OnTimer4(); });
}

HeartbeatDriver::~HeartbeatDriver() = default;

void HeartbeatDriver::Start()
{
    heartbeat_.Start();
    timer1_.start();
    timer3_.start();
    timer4_.start();
    onTimer1();
}

void HeartbeatDriver::Stop()
{
    timer1_.stop();
    timer3_.stop();
    timer4_.stop();
    notifier_.reset();
    watchedHandle_ = -1;
}

void HeartbeatDriver::SetReadOnNotify(bool enabled)
{
    readOnNotify_ = enabled;
    watchDescriptor();
}

void HeartbeatDriver::onTimer1()
{
    heartbeat_.OnTimer1(clock_.GetLocal());
    watchDescriptor();
}

void HeartbeatDriver::onReadable()
{
    heartbeat_.OnSerialReadable();
    // A device that went away was closed by the read: stop watching its old descriptor, which
    // would otherwise report "readable" for ever.
    watchDescriptor();
}

void HeartbeatDriver::watchDescriptor()
{
    const int handle
        = (readOnNotify_ && timer1_.isActive() && readableHandle_) ? readableHandle_() : -1;
    if (handle == watchedHandle_)
        return;
    notifier_.reset();
    watchedHandle_ = handle;
    if (handle < 0)
        return;
    notifier_ = std::make_unique<QSocketNotifier>(handle, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &HeartbeatDriver::onReadable);
}

} // namespace velarin
