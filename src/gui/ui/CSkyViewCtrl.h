#pragma once

#include "engine/ui/SkySatelliteSlots.h"
#include "engine/ui/SkyViewLayout.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

namespace velarin {

// The sky as seen from the receiver: horizon circle, elevation rings, azimuth spokes with compass
// labels and one marker per satellite, labelled with its PRN. Markers are XOR-combined with the
// plot, so an update erases a marker by drawing it again and only changed satellites are redrawn;
// the plot lives in an image that stands for the screen between full repaints.
class CSkyViewCtrl : public QWidget {
    Q_OBJECT
public:
    static constexpr int kUsedBitmap = 114;
    static constexpr int kTrackedBitmap = 125;

    explicit CSkyViewCtrl(QWidget* parent = nullptr);

    // The slots the host fills before UpdateSatellites.
    std::array<SkySatellite, SkySatelliteSlots::kSlots>& Satellites() { return slots_.satellites; }
    const std::array<SkySatellite, SkySatelliteSlots::kSlots>& Shown() const
    {
        return slots_.Shown();
    }
    void UpdateSatellites();

    void SetSatelliteBitmaps(int usedId, int trackedId);
    void SetElevationStep(int degrees);
    void SetAzimuthStep(int degrees);
    void SetLabelFontSize(int tenthsOfPoint);
    void SetGridTextColor(uint32_t colour);
    void SetLabelFormat(const std::string& format);
    // The next paint redraws everything, as after a resize.
    void Invalidate();

    uint32_t markColour = 0x00FF00;
    uint32_t usedColour = 0x00FFFF;
    uint32_t trackedColour = 0xC0C0C0;
    uint32_t gridColour = 0xFF0000;
    uint32_t plotBackground = 0x000000;
    int spokeLabelElevation = 15;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void RenderFull();
    void DrawSkyLabel(QPainter& painter, int azimuth, int elevation, const QString& text);
    void DrawSatellite(QPainter& painter, const SkySatellite& satellite);
    // The label format applied to the PRN, after the system's letter (none for GPS).
    QString Label(const SkySatellite& satellite) const;

    SkySatelliteSlots slots_;
    SkyPlot plot_;
    QImage canvas_;
    bool canvasValid_ = false;

    uint32_t gridTextColour_ = 0xFFFFFF;
    int fontSize_ = 90;
    int elevationStep_ = 15;
    int azimuthStep_ = 30;
    std::string labelFormat_ = "PRN:%d";
    int usedBitmap_ = 0;
    int trackedBitmap_ = 0;
};

} // namespace velarin
