#include "gui/clocks/DigitalClockCtrl.h"

#include "engine/clocks/DigitalClockText.h"
#include "engine/clocks/SevenSegmentLayout.h"
#include "gui/clocks/SystemColors.h"

#include <QPainter>
#include <QTimerEvent>

namespace velarin {
namespace {

QPoint toQPoint(const ClockPoint& p)
{
    return { p.x, p.y };
}

// Wide strokes have round caps; a one-pixel stroke leaves out its end point (flat cap), which
// the layout's one-pixel lengthening makes up for.
QPen segmentPen(ColorRef color, int t)
{
    if (t <= 1)
        return QPen(ToQColor(color), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    return QPen(ToQColor(color), t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

void drawDot(QPainter& painter, QPoint centre, int diameter, ColorRef color)
{
    // What a zero-length stroke of a round-capped pen leaves: a filled disc, or one pixel for
    // the thinnest pen.
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

CDigitalClockCtrl::CDigitalClockCtrl(SystemClock& clock, QWidget* parent)
    : QWidget(parent)
    , clock_(clock)
{
    setWindowTitle(QStringLiteral("Clock"));
    // Every pixel is painted by paintEvent; the platform need not clear anything first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void CDigitalClockCtrl::EnableTick(int on, int periodMs)
{
    if (on == 1)
        timer_.start(periodMs, this);
    else
        timer_.stop();
}

void CDigitalClockCtrl::SetSegmentColors(ColorRef active, ColorRef inactive)
{
    activeColor = active;
    inactiveColor = inactive;
}

void CDigitalClockCtrl::InvalidateWithErase()
{
    eraseNeeded_ = true;
    update();
}

void CDigitalClockCtrl::Tick()
{
    currentTime = useLocalTime == 1 ? clock_.GetLocal() : clock_.GetUtc();
    if (currentTime.second != lastSecond) {
        lastSecond = currentTime.second;
        tickRepaint_ = true;
        update();
    }
}

void CDigitalClockCtrl::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == timer_.timerId())
        Tick();
    else
        QWidget::timerEvent(event);
}

void CDigitalClockCtrl::resizeEvent(QResizeEvent* event)
{
    eraseNeeded_ = true;
    QWidget::resizeEvent(event);
}

void CDigitalClockCtrl::showEvent(QShowEvent* event)
{
    eraseNeeded_ = true;
    QWidget::showEvent(event);
}

void CDigitalClockCtrl::eraseBackground(QPainter& painter)
{
    const int w = width();
    const int h = height();
    painter.fillRect(rect(), ToQColor(backgroundColor));
    // Sunken one-pixel edge: shadow on top and left, highlight on bottom and right.
    painter.setPen(QPen(ToQColor(GetSystemColor(kColorButtonShadow)), 1));
    painter.drawLine(0, 0, w - 2, 0);
    painter.drawLine(0, 0, 0, h - 2);
    painter.setPen(QPen(ToQColor(GetSystemColor(kColorButtonHighlight)), 1));
    painter.drawLine(w - 1, 0, w - 1, h - 1);
    painter.drawLine(0, h - 1, w - 1, h - 1);
}

void CDigitalClockCtrl::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (eraseNeeded_ || !tickRepaint_)
        eraseBackground(painter);
    eraseNeeded_ = false;
    tickRepaint_ = false;

    const int t = thickness;
    const DigitalClockLayout layout
        = LayoutDigitalClock({ 0, 0, width(), height() }, inset, t, showDayOfYear == 1);
    const std::string digits
        = DigitalClockDigits(currentTime, twentyFourHourMode == 1, showDayOfYear == 1);
    const QPen activePen = segmentPen(activeColor, t);
    const QPen inactivePen = segmentPen(inactiveColor, t);

    for (const DigitalClockCell& cell : layout.cells) {
        if (cell.kind == DigitalClockCell::Kind::Colon) {
            // Round dots of diameter 2t, always in the active colour.
            for (const ClockPoint& dot : ColonDots(cell.rect, t))
                drawDot(painter, toQPoint(dot), 2 * t, activeColor);
            continue;
        }
        const uint8_t mask = SegmentMask(digits[static_cast<size_t>(cell.digitIndex)]);
        const auto strokes = DigitStrokes(cell.rect, t);
        for (size_t i = 0; i < strokes.size(); ++i) {
            painter.setPen((mask >> i) & 1 ? activePen : inactivePen);
            painter.drawLine(toQPoint(strokes[i].from), toQPoint(strokes[i].to));
        }
    }
}

} // namespace velarin
