#include "gui/clocks/AnalogClockCtrl.h"

#include "engine/clocks/AnalogClockLayout.h"
#include "gui/clocks/SystemColors.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

#include <algorithm>

namespace velarin {
namespace {

template <size_t N> QPolygon toPolygon(const std::array<ClockPoint, N>& points)
{
    QPolygon polygon;
    for (const ClockPoint& p : points)
        polygon << ToQPoint(p);
    return polygon;
}

// Width 0 is the thinnest line the device draws; wider pens have round caps.
QPen clockPen(ColorRef color, int width)
{
    return QPen(ToQColor(color), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

CAnalogClockCtrl::CAnalogClockCtrl(SystemClock& clock, QWidget* parent)
    : ClockControl(parent)
    , handColor(GetSystemColor(kColorHighlight))
    , textColor(GetSystemColor(kColorWindowText))
    , faceColor(GetSystemColor(kColorWindow))
    , clock_(clock)
{
    setWindowTitle(QStringLiteral("Analog Clock"));
}

void CAnalogClockCtrl::SetUseLocalTime(int flag)
{
    useLocalTime = flag;
    update();
}

void CAnalogClockCtrl::Set24HourMode(int flag)
{
    twentyFourHourMode = flag;
    update();
}

void CAnalogClockCtrl::Tick()
{
    currentTime = useLocalTime == 1 ? clock_.GetLocal() : clock_.GetUtc();
    if (currentTime.second != lastSecond) {
        lastSecond = currentTime.second;
        update();
    }
}

void CAnalogClockCtrl::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    QPixmap image(size() * devicePixelRatioF());
    image.setDevicePixelRatio(devicePixelRatioF());
    image.fill(ToQColor(GetSystemColor(kColorButtonFace)));
    QPainter p(&image);
    // Smooth rim, ticks and hands: at this size stair steps along the slanted lines show. The
    // layout's whole-pixel points are pixel centres, so straight lines stay crisp.
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5);

    const AnalogFace face = LayoutAnalogFace({ 0, 0, width(), height() });
    if (face.diameter > 0) {
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(face.fontTenthsOfPoint / 10.0);
        p.setFont(font);
        const QFontMetrics metrics(font, &image);

        p.setPen(clockPen(textColor, face.facePenWidth));
        p.setBrush(ToQColor(faceColor));
        const ClockRect& sq = face.square;
        p.drawEllipse(QRect(sq.left, sq.top, sq.Width() - 1, sq.Height() - 1));

        for (const AnalogTick& tick : AnalogTicks(face))
            p.drawLine(ToQPoint(tick.line.from), ToQPoint(tick.line.to));
        p.setPen(ToQColor(textColor));
        for (const AnalogNumeral& numeral : AnalogNumerals(face, twentyFourHourMode == 1)) {
            const QString text = QString::number(numeral.number);
            const int left = numeral.center.x - metrics.horizontalAdvance(text) / 2;
            const int top = numeral.center.y - metrics.height() / 2;
            p.drawText(left, top + metrics.ascent(), text);
        }

        const AnalogHands hands = LayoutAnalogHands(face,
            ComputeHandAngles(
                currentTime.hour, currentTime.minute, currentTime.second, twentyFourHourMode == 1));
        // The hour hand is the short one, and drawn with a broad outline it is also clearly the
        // wider one; the minute hand keeps a fine outline so that the numerals it passes over
        // stay readable.
        const int hourWidth = std::max(3, 2 * face.stubPenWidth);
        p.setBrush(ToQColor(handColor));
        p.setPen(clockPen(handColor, hourWidth));
        p.drawPolygon(toPolygon(hands.hour));
        p.drawLine(ToQPoint(hands.hourStub.from), ToQPoint(hands.hourStub.to));
        p.setPen(QPen(ToQColor(handColor), 1));
        p.drawPolygon(toPolygon(hands.minute));
        p.setPen(clockPen(handColor, std::max(1, face.stubPenWidth / 2)));
        p.drawLine(ToQPoint(hands.minuteStub.from), ToQPoint(hands.minuteStub.to));
        p.setBrush(ToQColor(secondColor));
        p.setPen(QPen(ToQColor(secondColor), 1));
        p.drawPolygon(toPolygon(hands.second));
        DrawDot(p, ToQPoint(hands.hub), face.hubDiameter, handColor);
    }
    p.end();

    QPainter(this).drawPixmap(0, 0, image);
}

} // namespace velarin
