#include "gui/ui/CVelarinPropertyPage10.h"

#include "engine/irig/IrigGenerator.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/SettingsStore.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include <algorithm>

namespace velarin {
namespace {

enum ControlId {
    kEnableIrig = 1095,
    kTwelveHour = 1097,
    kIrigHelp = 1098,
    kCompression = 1099,
    kCompressionText = 1100,
    kUtcTime = 1101,
};

QString PercentText(int position)
{
    return QString::asprintf("%d%%", position);
}

} // namespace

CVelarinPropertyPage10::CVelarinPropertyPage10(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("IRIG Configuration"), kHelpContext, parent)
{
}

void CVelarinPropertyPage10::OnInitDialog()
{
    auto* about = AddLabel(
        QStringLiteral("Velarin has the ability of generating an IRIG signal using the sound cord "
                       "on the PC. This is accomplished by synthesizing the IRIG signal in "
                       "software.\n\nFor more information on this subject, click on the help "
                       "button below"),
        QRect(7, 7, 336, 42));
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    enable_
        = Add<QCheckBox>(kEnableIrig, QStringLiteral("Enable IRIG Output"), QRect(7, 56, 120, 10));
    twelveHour_
        = Add<QCheckBox>(kTwelveHour, QStringLiteral("Enable 12 hour mode"), QRect(7, 71, 120, 10));
    utc_ = Add<QCheckBox>(kUtcTime, QStringLiteral("UTC Time"), QRect(7, 86, 120, 10));

    AddLabel(QStringLiteral("Frame Compression"), QRect(160, 54, 100, 8));
    compression_ = new QSlider(Qt::Horizontal, this);
    Place(compression_, kCompression, QRect(160, 65, 150, 15));
    AddLabel(QStringLiteral("Less"), QRect(160, 82, 30, 8));
    auto* more = AddLabel(QStringLiteral("More"), QRect(280, 82, 30, 8));
    more->setAlignment(Qt::AlignRight | Qt::AlignTop);
    compressionText_ = Add<QLabel>(kCompressionText, QStringLiteral("0%"), QRect(315, 68, 28, 8));

    auto* help = AddButton(kIrigHelp, QStringLiteral("IRIG Help"), QRect(7, 109, 50, 14));
    connect(help, &QPushButton::clicked, this, &CVelarinPropertyPage10::OnHelp);

    AddTool(enable_,
        QStringLiteral(
            "Enables/Disables IRIG time code output. Click IRIG Help for more information"));
    AddTool(twelveHour_, QStringLiteral("Outputs 12 hour time mode to the IRIG device"));
    AddTool(utc_, QStringLiteral("Outputs UTC/GMT time to the IRIG device"));
    AddTool(compression_, QStringLiteral("Compresses IRIG frame to make up any timing anomalies"));

    compression_->setRange(0, kMaxCompression);
    compression_->setTickInterval(2);
    compression_->setTickPosition(QSlider::TicksBelow);
    compression_->setValue(irigSetting(keys::kFrameCompression, keys::kFrameCompressionDefault));
    compressionText_->setText(PercentText(compression_->value()));
    Refresh();

    // clicked and valueChanged after the set-up: what the page shows from the store is no
    // change, only what the user does is.
    connect(enable_, &QCheckBox::clicked, this, &CVelarinPropertyPage10::OnEnableIrig);
    connect(twelveHour_, &QCheckBox::clicked, this, &CVelarinPropertyPage10::OnTwelveHourMode);
    connect(utc_, &QCheckBox::clicked, this, &CVelarinPropertyPage10::OnUtcTime);
    connect(
        compression_, &QSlider::valueChanged, this, &CVelarinPropertyPage10::OnCompressionMoved);
}

int CVelarinPropertyPage10::irigSetting(const char* key, int defaultValue) const
{
    return context_.settings.GetProfileInt(keys::kIrig, key, defaultValue);
}

void CVelarinPropertyPage10::Refresh()
{
    enable_->setChecked(irigSetting(keys::kIRIGEnable, 0) != 0);
    const bool off = !enable_->isChecked();
    compression_->setEnabled(off);
    compressionText_->setEnabled(off);
    twelveHour_->setChecked(irigSetting(keys::kEnable12HourMode, 0) != 0);
    utc_->setChecked(irigSetting(keys::kEnableUTCTime, 0) != 0);
}

void CVelarinPropertyPage10::OnEnableIrig()
{
    CIrigGenerator* generator = context_.host.IrigGenerator();
    if (!enable_->isChecked()) {
        context_.settings.WriteProfileInt(keys::kIrig, keys::kIRIGEnable, 0);
        if (generator != nullptr)
            generator->Stop();
        Refresh();
        return;
    }
    // A hand-edited store may hold any number; outside the slider's range it would give a
    // sample rate the frame no longer fits (or none at all).
    const int compression = std::clamp(
        irigSetting(keys::kFrameCompression, keys::kFrameCompressionDefault), 0, kMaxCompression);
    bool started = false;
    if (generator != nullptr) {
        generator->SetSampleRate(CIrigGenerator::SampleRateForCompression(compression));
        started = generator->Start();
    }
    if (started) {
        context_.settings.WriteProfileInt(keys::kIrig, keys::kIRIGEnable, 1);
        Refresh();
    } else {
        enable_->setChecked(false);
    }
}

void CVelarinPropertyPage10::OnTwelveHourMode()
{
    const int on = twelveHour_->isChecked() ? 1 : 0;
    if (CIrigGenerator* generator = context_.host.IrigGenerator())
        generator->SetTwelveHourMode(on);
    context_.settings.WriteProfileInt(keys::kIrig, keys::kEnable12HourMode, on);
}

void CVelarinPropertyPage10::OnUtcTime()
{
    const int on = utc_->isChecked() ? 1 : 0;
    if (CIrigGenerator* generator = context_.host.IrigGenerator())
        generator->SetUtcMode(on);
    context_.settings.WriteProfileInt(keys::kIrig, keys::kEnableUTCTime, on);
}

void CVelarinPropertyPage10::OnCompressionMoved(int position)
{
    compressionText_->setText(PercentText(position));
    context_.settings.WriteProfileInt(keys::kIrig, keys::kFrameCompression, position);
}

} // namespace velarin
