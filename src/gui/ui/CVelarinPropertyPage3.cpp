#include "gui/ui/CVelarinPropertyPage3.h"

#include "engine/AppState.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/ui/CoordinateFormat.h"
#include "engine/ui/SatellitesShown.h"
#include "gui/ui/CSkyViewCtrl.h"
#include "gui/ui/UiDrawing.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace velarin {
namespace {

enum ControlId {
    kLatitude = 1003,
    kLongitude = 1005,
    kAltitude = 1006,
    kSkyView = 1013,
    kHelp = 1103,
};

} // namespace

CVelarinPropertyPage3::CVelarinPropertyPage3(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(context, kDialogId, QStringLiteral("Position"), kHelpContext, parent)
{
    setFixedSize(DluX(351), DluY(130));
}

void CVelarinPropertyPage3::OnInitDialog()
{
    AddLabel(QStringLiteral("Latitude:"), QRect(7, 14, 43, 8));
    auto* latitude = AddReadOnlyEdit(kLatitude, QRect(50, 12, 110, 12));
    AddLabel(QStringLiteral("Longitude:"), QRect(7, 32, 43, 8));
    auto* longitude = AddReadOnlyEdit(kLongitude, QRect(50, 30, 110, 12));
    AddLabel(QStringLiteral("Altitude:"), QRect(7, 50, 43, 8));
    auto* altitude = AddReadOnlyEdit(kAltitude, QRect(50, 48, 110, 12));
    auto* help = AddButton(kHelp, QStringLiteral("Help"), QRect(7, 109, 50, 14));
    connect(help, &QPushButton::clicked, this, &CVelarinPropertyPage3::OnHelp);

    skyView_ = new CSkyViewCtrl(this);
    Place(skyView_, kSkyView, QRect(200, 5, 144, 120));

    AddTool(latitude, QStringLiteral("Shows the current latitude from GPS receiver."));
    AddTool(longitude, QStringLiteral("Shows the current longitude from GPS receiver."));
    AddTool(altitude, QStringLiteral("Shows the current altitude from GPS receiver."));
    AddTool(skyView_, QStringLiteral("Shows satellite azimuth and elevation."));

    ConfigureSkyView(*skyView_);
    SetTimer(kRefreshMilliseconds);
}

void CVelarinPropertyPage3::ConfigureSkyView(CSkyViewCtrl& skyView)
{
    skyView.SetAzimuthStep(90);
    skyView.SetElevationStep(30);
    skyView.SetLabelFontSize(70);
    skyView.SetGridTextColor(0x808080);
    skyView.SetSatelliteBitmaps(CSkyViewCtrl::kUsedBitmap, CSkyViewCtrl::kTrackedBitmap);
    skyView.SetLabelFormat("%d");
}

void CVelarinPropertyPage3::OnTimer()
{
    const CNmeaParser& parser = context_.parser;
    double lat = 0.0;
    double lon = 0.0;
    double alt = 0.0;
    if (context_.state.useTimrFrom.load() == 1) {
        lat = parser.GetRmc().latitude;
        lon = parser.GetRmc().longitude;
    } else {
        lat = parser.GetGga().latitude;
        lon = parser.GetGga().longitude;
        alt = parser.GetGga().altitude;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(Control(kLatitude)))
        edit->setText(QString::fromStdString(FormatLatitude(lat, context_.settings)));
    if (auto* edit = qobject_cast<QLineEdit*>(Control(kLongitude)))
        edit->setText(QString::fromStdString(FormatLongitude(lon, context_.settings)));
    if (auto* edit = qobject_cast<QLineEdit*>(Control(kAltitude)))
        edit->setText(QString::fromStdString(FormatAltitude(alt, context_.settings)));

    const GsvData& gsv = parser.GetGsv();
    auto& sky = skyView_->Satellites();
    const std::vector<int> shown = SatellitesShown(gsv, static_cast<int>(sky.size()));
    for (size_t i = 0; i < sky.size(); ++i) {
        SkySatellite& slot = sky[i];
        if (i < shown.size()) {
            const SatelliteInfo& s = gsv.satellites[shown[i]];
            slot.system = static_cast<int32_t>(s.system);
            slot.prn = s.prn;
            slot.azimuth = s.azimuth;
            slot.elevation = s.elevation;
            slot.inUse = static_cast<int32_t>(s.used);
            slot.signal = s.snr;
        } else {
            slot.prn = 0;
            slot.azimuth = 0;
            slot.elevation = 0;
            slot.inUse = 0;
        }
    }
    skyView_->UpdateSatellites();
}

} // namespace velarin
