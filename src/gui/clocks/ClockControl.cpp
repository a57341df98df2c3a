#include "gui/clocks/ClockControl.h"

#include "gui/clocks/SystemColors.h"

#include <QPainter>
#include <QTimerEvent>

namespace velarin {

ClockControl::ClockControl(QWidget* parent)
    : QWidget(parent)
{
    // Every pixel is painted by paintEvent; the platform need not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ClockControl::EnableTick(int on, int periodMs)
{
    if (on == 1)
        timer_.start(periodMs, this);
    else
        timer_.stop();
}

void ClockControl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer_.timerId())
        Tick();
    else
        QWidget::timerEvent(event);
}

void DrawDot(QPainter& painter, QPoint centre, int diameter, ColorRef color)
{
    if (diameter <= 1) {
        painter.setPen(QPen(ToQColor(color), 1));
        painter.drawPoint(centre);
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(color));
    painter.drawEllipse(QPointF(centre), diameter / 2.0, diameter / 2.0);
    painter.setBrush(Qt::NoBrush);
}

} // namespace velarin
