#include "gui/ui/CSkyViewCtrl.h"

#include "base/NmeaTalker.h"
#include "gui/ui/UiDrawing.h"

#include <QPainter>

#include <cstdio>
#include <cstring>

namespace velarin {
namespace {

// The 9 x 7 satellite pictures: yellow for used, grey for tracked, on black. Any other id is a
// picture that failed to load: an empty marker.
QImage SatelliteBitmap(int id)
{
    QColor colour;
    if (id == CSkyViewCtrl::kUsedBitmap)
        colour = QColor(255, 255, 0);
    else if (id == CSkyViewCtrl::kTrackedBitmap)
        colour = QColor(128, 128, 128);
    else
        return {};
    QImage image(kSatelliteIconWidth, kSatelliteIconHeight, QImage::Format_RGB32);
    for (int y = 0; y < kSatelliteIconHeight; ++y)
        for (int x = 0; x < kSatelliteIconWidth; ++x)
            image.setPixelColor(x, y, kSatelliteIconRows[y][x] == '#' ? colour : Qt::black);
    return image;
}

// The label format takes exactly one integer; anything else in it (a stray %s from the settings)
// is printed as text instead of being handed to the formatter.
QString FormatPrn(const std::string& format, int prn)
{
    int conversions = 0;
    bool safe = true;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%')
            continue;
        if (i + 1 < format.size() && format[i + 1] == '%') {
            ++i;
            continue;
        }
        ++conversions;
        size_t j = i + 1;
        while (j < format.size() && std::strchr("-+ #0123456789", format[j]) != nullptr)
            ++j;
        safe = safe && j < format.size() && (format[j] == 'd' || format[j] == 'i');
        i = j;
    }
    if (!safe || conversions > 1)
        return QString::fromStdString(format);
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format.c_str(), prn);
    return QString::fromUtf8(buffer);
}

} // namespace

CSkyViewCtrl::CSkyViewCtrl(QWidget* parent)
    : QWidget(parent)
    , slots_(0x00FFFF)
{
}

void CSkyViewCtrl::Invalidate()
{
    canvasValid_ = false;
    update();
}

void CSkyViewCtrl::SetSatelliteBitmaps(int usedId, int trackedId)
{
    usedBitmap_ = usedId;
    trackedBitmap_ = trackedId;
    Invalidate();
}

void CSkyViewCtrl::SetElevationStep(int degrees)
{
    elevationStep_ = degrees;
    Invalidate();
}

void CSkyViewCtrl::SetAzimuthStep(int degrees)
{
    azimuthStep_ = degrees;
    Invalidate();
}

void CSkyViewCtrl::SetLabelFontSize(int tenthsOfPoint)
{
    fontSize_ = tenthsOfPoint;
    Invalidate();
}

void CSkyViewCtrl::SetGridTextColor(uint32_t colour)
{
    gridTextColour_ = colour;
    Invalidate();
}

void CSkyViewCtrl::SetLabelFormat(const std::string& format)
{
    labelFormat_ = format;
    Invalidate();
}

QString CSkyViewCtrl::Label(const SkySatellite& satellite) const
{
    return QString::fromLatin1(
               SatelliteSystemLetter(static_cast<SatelliteSystem>(satellite.system)))
        + FormatPrn(labelFormat_, satellite.prn);
}

void CSkyViewCtrl::UpdateSatellites()
{
    const auto draws = slots_.Update(usedColour, trackedColour, usedBitmap_, trackedBitmap_);
    // Without a plot on the screen there is nothing to XOR; the next full paint draws the shown
    // slots, which the update has just brought in step.
    if (!canvasValid_ || draws.empty())
        return;
    QPainter painter(&canvas_);
    painter.setClipRegion(QRegion(ToQRect(plot_.HorizonEllipse()), QRegion::Ellipse));
    for (const auto& draw : draws)
        DrawSatellite(painter, draw.satellite);
    painter.end();
    update();
}

void CSkyViewCtrl::paintEvent(QPaintEvent*)
{
    if (!canvasValid_ || canvas_.size() != size())
        RenderFull();
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

void CSkyViewCtrl::RenderFull()
{
    canvas_ = QImage(size(), QImage::Format_RGB32);
    canvasValid_ = true;
    QPainter painter(&canvas_);

    // Background and frame.
    const QPalette& pal = palette();
    painter.fillRect(canvas_.rect(), pal.color(QPalette::Button));
    Draw3dRect(painter, { 0, 0, width(), height() }, pal.color(QPalette::Shadow),
        pal.color(QPalette::Light));
    plot_ = ComputeSkyPlot(width(), height());

    // Grid, inside the horizon.
    painter.setClipRegion(QRegion(ToQRect(plot_.HorizonEllipse()), QRegion::Ellipse));
    painter.setFont(PointFont(fontSize_));
    painter.setPen(FromColorRef(gridColour));
    painter.setBrush(FromColorRef(plotBackground));
    for (const SkyRing& ring : SkyRings(plot_, elevationStep_)) {
        // Exclusive right and bottom edges, like the outline of the platform's ellipses.
        const QRect r = ToQRect(ring.ellipse).adjusted(0, 0, -1, -1);
        painter.setPen(FromColorRef(gridColour));
        painter.drawEllipse(r);
        if (ring.labelled)
            DrawSkyLabel(painter, 45, ring.elevation, QString::fromStdString(ring.label));
    }
    for (const SkySpoke& spoke : SkySpokes(plot_, azimuthStep_)) {
        painter.setPen(FromColorRef(gridColour));
        painter.drawLine(spoke.from.x, spoke.from.y, spoke.to.x, spoke.to.y);
        DrawSkyLabel(
            painter, spoke.azimuth, spokeLabelElevation, QString::fromStdString(spoke.label));
    }

    // Satellites, by XOR, exactly as the updates put them there.
    for (const auto& draw : slots_.FullPaint())
        DrawSatellite(painter, draw.satellite);
}

void CSkyViewCtrl::DrawSkyLabel(QPainter& painter, int azimuth, int elevation, const QString& text)
{
    const UiPoint p = plot_.PolarToPoint(azimuth, elevation);
    const QFontMetrics metrics(painter.font());
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const QRect box(p.x - w / 2, p.y - h / 2, w, h);
    // An opaque box, so the label hides the lines beneath it.
    painter.fillRect(box, FromColorRef(plotBackground));
    painter.setPen(FromColorRef(gridTextColour_));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
}

void CSkyViewCtrl::DrawSatellite(QPainter& painter, const SkySatellite& satellite)
{
    const UiPoint p = plot_.PolarToPoint(satellite.azimuth, satellite.elevation);
    const QFont font = PointFont(fontSize_);
    const QFontMetrics metrics(font);
    const int w = 5 * metrics.maxWidth();
    const int h = 3 * metrics.height();

    QImage marker(w, h, QImage::Format_RGB32);
    marker.fill(Qt::black);
    QPainter mp(&marker);
    int labelTop = 0;
    int anchor = 0;
    if (satellite.bitmapId != 0) {
        const QImage bitmap = SatelliteBitmap(satellite.bitmapId);
        mp.drawImage(w / 2 - bitmap.width() / 2, 0, bitmap);
        labelTop = bitmap.height();
        anchor = bitmap.height() / 2;
    } else {
        mp.setPen(FromColorRef(markColour));
        // The platform's lines leave out their end points.
        for (int i = 0; i < 5; ++i) {
            mp.drawPoint(w / 2 - 2 + i, i);
            mp.drawPoint(w / 2 + 2 - i, i);
        }
        labelTop = metrics.height() / 2;
        anchor = 2;
    }
    mp.setFont(font);
    mp.setPen(FromColorRef(satellite.labelColour));
    mp.drawText(
        QRect(0, labelTop, w, h - labelTop), Qt::AlignHCenter | Qt::AlignTop, Label(satellite));
    mp.end();

    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.drawImage(p.x - w / 2, p.y - anchor, marker);
    painter.restore();
}

} // namespace velarin
