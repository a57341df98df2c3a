#pragma once

#include "engine/frame/SystemLog.h"
#include "gui/ui/PropertySheetFixture.h"

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velarin::testing {

// The sheet host with what the network and system pages ask of the program.
class NetworkSheetHost : public FakeSheetHost {
public:
    explicit NetworkSheetHost(SystemLog* log)
        : log_(log)
    {
    }
    void UseGpsReference() override { calls.push_back("UseGpsReference"); }
    void UseNetworkReference() override { calls.push_back("UseNetworkReference"); }
    bool IsInternetConnected() override
    {
        ++connectionChecks;
        return internetConnected;
    }
    SystemLog* GetSystemLog() override { return log_; }

    bool internetConnected = true;
    int connectionChecks = 0;

private:
    SystemLog* log_;
};

// The shared state of a sheet for the network side, on window timers the test moves.
struct NetworkSheetWorld {
    NetworkSheetWorld()
        : clock([this] { return trueMicroseconds; })
        , log(clock)
        , host(&log)
    {
    }

    int64_t trueMicroseconds = 1'073'306'096'000'000; // 2004-01-05 12:34:56 UTC
    AppState state;
    MemorySettingsStore settings;
    CNmeaParser parser;
    SimulatedSystemClock clock;
    SystemLog log;
    NetworkSheetHost host;
    FakeWindowTimers timers;
    PropertySheetContext context { state, settings, parser, clock, host, timers };
};

// Acts on the next modal window of type T from the event loop that runs it; when none appears
// within about ten seconds every modal window is rejected and the test fails, so no test waits
// for a dialog nobody answers.
template <typename T> void OnNextModal(std::function<void(T*)> action)
{
    auto* poll = new QTimer(qApp);
    auto ticks = std::make_shared<int>(0);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, ticks, action] {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            action(modal);
            return;
        }
        if (++*ticks < 2000)
            return;
        poll->deleteLater();
        poll->stop();
        ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " appeared";
        for (int i = 0; i < 10 && QApplication::activeModalWidget() != nullptr; ++i)
            QApplication::activeModalWidget()->close();
    });
    poll->start();
}

} // namespace velarin::testing
