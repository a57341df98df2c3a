#pragma once

#include <QObject>

class QSocketNotifier;

namespace velarin {

// Ends the event loop on SIGINT or SIGTERM so that shutdown runs in its order (main frame, then
// the GPS link) instead of the process dying in the middle of a write.
class QuitOnSignal : public QObject {
    Q_OBJECT
public:
    explicit QuitOnSignal(QObject* parent = nullptr);
    ~QuitOnSignal() override;

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace velarin
