#pragma once

#include "gui/clocks/ClockControl.h"
#include "platform/SystemClock.h"

namespace velarin {

// Round clock face with 60 ticks, twelve numerals and three hands, scaled to the square that
// fits the control. It repaints once per displayed second, drawing off-screen and copying the
// finished image in one step so the hands never flicker.
class CAnalogClockCtrl : public ClockControl {
    Q_OBJECT
public:
    explicit CAnalogClockCtrl(SystemClock& clock, QWidget* parent = nullptr);

    int useLocalTime = 1;
    int twentyFourHourMode = 0;
    int lastSecond = 0;
    SystemTime currentTime {};
    ColorRef handColor = 0;
    ColorRef textColor = 0;
    ColorRef faceColor = 0;
    ColorRef secondColor = 0x0000FF;

    // Assign the flag and repaint the whole control.
    void SetUseLocalTime(int flag);
    void Set24HourMode(int flag);
    void Tick() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    SystemClock& clock_;
};

} // namespace velarin
