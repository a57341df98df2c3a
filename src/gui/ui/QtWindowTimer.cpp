#include "gui/ui/QtWindowTimer.h"

#include <QTimer>

namespace velarin {
namespace {

class QtWindowTimer : public WindowTimer {
public:
    explicit QtWindowTimer(std::function<void()> onTick)
    {
        // Precise timers: a 50 ms page refresh must not drift to the coarse timer's 5 % slack.
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [handler = std::move(onTick)] { handler(); });
    }
    void Start(int periodMilliseconds) override { timer_.start(periodMilliseconds); }
    void Stop() override { timer_.stop(); }
    bool IsActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

} // namespace

std::unique_ptr<WindowTimer> QtWindowTimerFactory::CreateTimer(std::function<void()> onTick)
{
    return std::make_unique<QtWindowTimer>(std::move(onTick));
}

QtWindowTimerFactory& QtWindowTimerFactory::Instance()
{
    static QtWindowTimerFactory factory;
    return factory;
}

} // namespace velarin
