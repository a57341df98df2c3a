#include "gui/ui/CSignalBarCtrl.h"

#include "gui/ui/UiDrawing.h"

#include <QPainter>

#include <algorithm>

namespace velarin {

CSignalBarCtrl::CSignalBarCtrl(QWidget* parent)
    : QWidget(parent)
{
}

void CSignalBarCtrl::ResetMinMax()
{
    scale_.ResetMinMax();
    update();
}

void CSignalBarCtrl::paintEvent(QPaintEvent*)
{
    // Every paint starts from an erased background, so a change in the number of bars never
    // leaves parts of the old ones behind.
    const QPalette& pal = palette();
    const QColor face = pal.color(QPalette::Button);
    const QColor highlight = pal.color(QPalette::Highlight);
    const QColor highlightText = pal.color(QPalette::HighlightedText);
    const QColor greyText = pal.color(QPalette::Disabled, QPalette::Text);
    const QColor windowText = pal.color(QPalette::WindowText);
    const QColor darkShadow = pal.color(QPalette::Shadow);
    const QColor light = pal.color(QPalette::Light);

    QPainter painter(this);
    painter.fillRect(rect(), face);

    // The owner keeps the count within the entries; a wrong one must not read past them.
    const int bars = std::clamp(count, 0, SignalBarScale::kMaxEntries);
    if (bars == 0)
        return;
    const QFont font = PointFont(SignalBarFontTenths(width()));
    painter.setFont(font);
    const int textHeight = QFontMetrics(font).height();

    scale_.Update(entries, bars);
    for (int i = 0; i < bars; ++i) {
        const SignalBarEntry& entry = entries[static_cast<size_t>(i)];
        const UiRect area = SignalBarAt(width(), height(), bars, i, textHeight, 0).area;
        const int barHeight = scale_.BarHeight(entry.snr, area.Height());
        const SignalBarGeometry g = SignalBarAt(width(), height(), bars, i, textHeight, barHeight);

        Draw3dRect(painter, g.frame, darkShadow, light);
        painter.fillRect(ToQRect(g.empty), face);
        painter.fillRect(ToQRect(g.level), entry.used == 1 ? highlight : greyText);

        painter.save();
        painter.setClipRect(ToQRect(g.level));
        painter.setPen(highlightText);
        painter.drawText(ToQRect(g.level), Qt::AlignHCenter | Qt::AlignTop,
            QString::asprintf("%02d", entry.snr));
        painter.restore();

        painter.fillRect(ToQRect(g.label), face);
        painter.save();
        painter.setClipRect(ToQRect(g.label));
        painter.setPen(windowText);
        painter.drawText(
            ToQRect(g.label), Qt::AlignHCenter | Qt::AlignTop, QString::number(entry.prn));
        painter.restore();
    }
}

} // namespace velarin
