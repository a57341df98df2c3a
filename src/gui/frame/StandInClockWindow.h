#pragma once

#include "gui/frame/DesktopClock.h"

#include <QWidget>

class QLabel;
class QMenu;

namespace velarin {

// A plain clock window used until the full desktop clock is wired in: it shows the local time
// and offers the main frame's menu on a right click, so the program stays reachable without a
// tray.
class StandInClockWindow : public QWidget, public DesktopClock {
    Q_OBJECT
public:
    StandInClockWindow(QMenu* menu, QWidget* owner);

    void ShowClock() override;
    void HideClock() override;
    bool IsClockVisible() const override;
    void ResetClockPosition() override;
    void SaveClockPosition() override { }
    void UpdateHoverText(const SystemTime& local, const SystemTime& utc) override;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QMenu* menu_;
    QLabel* time_;
};

} // namespace velarin
