#pragma once

#include "gui/frame/DesktopClock.h"

#include <QObject>
#include <functional>

namespace velarin {

class CClockWnd;

// The desktop clock window as the main frame sees it. Without a tray it also takes over the
// clock's right-click menu to add "&Exit" and keep "&Hide" from stranding the user.
class ClockWindowAdapter : public QObject, public DesktopClock {
    Q_OBJECT
public:
    // Takes ownership of the window; onExit runs for the added "&Exit".
    ClockWindowAdapter(CClockWnd* window, std::function<void()> onExit);
    ~ClockWindowAdapter() override;

    void ShowClock() override;
    void HideClock() override;
    bool IsClockVisible() const override;
    void ResetClockPosition() override;
    void SaveClockPosition() override;
    void RefreshHoverText() override;
    void SetNoTrayMode(bool on) override { noTray_ = on; }

    CClockWnd* Window() const { return window_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showNoTrayMenu(QPoint screenPoint);

    CClockWnd* window_;
    std::function<void()> onExit_;
    bool noTray_ = false;
};

} // namespace velarin
