#pragma once

#include "gui/clocks/ClockControl.h"
#include "platform/SystemClock.h"

namespace velarin {

// Seven-segment clock: the time (and optionally the day of the year) drawn with straight pen
// strokes on a dark background inside a sunken one-pixel border. Unlit segments are drawn in the
// inactive colour, so the once-a-second repaint overwrites every segment and needs no erase.
// Owners set the public fields directly; a change shows at the next repaint.
class CDigitalClockCtrl : public ClockControl {
    Q_OBJECT
public:
    explicit CDigitalClockCtrl(SystemClock& clock, QWidget* parent = nullptr);

    ColorRef backgroundColor = 0x000000;
    ColorRef activeColor = 0x00FF00;
    ColorRef inactiveColor = 0x004000;
    int thickness = 8;
    SystemTime currentTime { 2000, 1, 6, 1, 0, 0, 0, 0 };
    int inset = 5;
    int lastSecond = -1;
    int useLocalTime = 1;
    int twentyFourHourMode = 1;
    int showDayOfYear = 0;

    void SetSegmentColors(ColorRef active, ColorRef inactive);
    void SetThickness(int t) { thickness = t; }
    void SetUseLocalTime(int flag) { useLocalTime = flag; }
    void Set24HourMode(int flag) { twentyFourHourMode = flag; }
    void SetShowDayOfYear(int flag) { showDayOfYear = flag; }

    // Repaints the whole control, background and border included.
    void InvalidateWithErase();
    void Tick() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void eraseBackground(QPainter& painter);

    SystemClock& clock_;
    bool tickRepaint_ = false; // the pending repaint only changes segments
    bool eraseNeeded_ = true;
};

} // namespace velarin
