#include "gui/clocks/DigitalClockCtrl.h"

#include "engine/clocks/DigitalClockText.h"
#include "engine/clocks/SevenSegmentLayout.h"
#include "gui/clocks/SystemColors.h"

#include <QPainter>

namespace velarin {
namespace {

// Wide strokes have round caps; a one-pixel stroke leaves out its end point (flat cap), which
// the layout's one-pixel lengthening makes up for.
QPen segmentPen(ColorRef color, int t)
{
    if (t <= 1)
        return QPen(ToQColor(color), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    return QPen(ToQColor(color), t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

CDigitalClockCtrl::CDigitalClockCtrl(SystemClock& clock, QWidget* parent)
    : ClockControl(parent)
    , clock_(clock)
{
    setWindowTitle(QStringLiteral("Clock"));
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
                DrawDot(painter, ToQPoint(dot), 2 * t, activeColor);
            continue;
        }
        const uint8_t mask = SegmentMask(digits[static_cast<size_t>(cell.digitIndex)]);
        const auto strokes = DigitStrokes(cell.rect, t);
        for (size_t i = 0; i < strokes.size(); ++i) {
            painter.setPen((mask >> i) & 1 ? activePen : inactivePen);
            painter.drawLine(ToQPoint(strokes[i].from), ToQPoint(strokes[i].to));
        }
    }
}

} // namespace velarin
