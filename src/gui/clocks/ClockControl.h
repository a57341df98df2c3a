#pragma once

#include <QBasicTimer>
#include <QPoint>
#include <QWidget>

#include "engine/clocks/ClockColors.h"
#include "engine/clocks/ClockGeometry.h"

class QPainter;

namespace velarin {

// What the two clock faces share: a tick that reads the clock (timer id 1 of the drawings)
// and the drawing of points and round dots.
class ClockControl : public QWidget {
    Q_OBJECT
public:
    explicit ClockControl(QWidget* parent);

    // on = 1 starts the tick with the period; anything else stops it.
    void EnableTick(int on, int periodMs);
    bool IsTicking() const { return timer_.isActive(); }
    // One tick: read the clock, repaint when the displayed second has changed.
    virtual void Tick() = 0;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer timer_;
};

inline QPoint ToQPoint(const ClockPoint& p)
{
    return { p.x, p.y };
}

// What a zero-length stroke of a round-capped pen leaves: a filled disc of the pen's width, or
// a single pixel for the thinnest pen.
void DrawDot(QPainter& painter, QPoint centre, int diameter, ColorRef color);

} // namespace velarin
