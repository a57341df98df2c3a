#include "gui/ui/CVelarinPropertyPage2.h"

#include "engine/AppState.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/ui/ClockRateText.h"
#include "engine/ui/GpsConfigurationRules.h"
#include "gui/ui/CVelarinPropertySheet.h"
#include "gui/ui/DialogItems.h"
#include "gui/ui/PropertySheetHost.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velarin {

CVelarinPropertyPage2::CVelarinPropertyPage2(PropertySheetContext& context, QWidget* parent)
    : CVelarinPropertyPage(
        context, kDialogId, QStringLiteral("Update PC Clock"), kHelpContext, parent)
{
}

void CVelarinPropertyPage2::OnInitDialog()
{
    AddLabel(QStringLiteral("Update Every:"), QRect(14, 16, 60, 8));
    auto* interval = new QLineEdit(this);
    Place(interval, kUpdateInterval, QRect(76, 14, 40, 12));
    AddLabel(QStringLiteral("minute(s)"), QRect(121, 16, 44, 8));
    auto* range = AddLabel(QStringLiteral("Enter the interval in minutes to update the PC clock. "
                                          "Acceptable ranges are from 1 minute to 44640 minutes "
                                          "(31 Days)."),
        QRect(14, 36, 322, 18));
    range->setWordWrap(true);

    auto* beep
        = Add<QCheckBox>(kEnableSetBeep, QStringLiteral("Enable set beep"), QRect(14, 62, 100, 10));
    beep->hide();

    auto* rateCorrection = Add<QCheckBox>(kRateCorrection,
        QStringLiteral("Correct the clock's rate between updates"), QRect(14, 80, 170, 10));
    Place(new QLabel(this), kClockRate, QRect(190, 81, 146, 8));

    auto* updateNow
        = AddButton(kUpdateNow, QStringLiteral("Update PC Clock Now"), QRect(14, 108, 100, 14));
    auto* help = AddButton(kHelp, QStringLiteral("Help"), QRect(286, 108, 50, 14));

    AddTool(interval, QStringLiteral("PC clock update rate in minutes."));
    AddTool(updateNow, QStringLiteral("Sets the PC clock now."));
    AddTool(rateCorrection,
        QStringLiteral("Measures how fast the PC clock runs between updates and corrects its "
                       "rate, so that it stays on time until the next one."));

    connect(beep, &QCheckBox::clicked, this, &CVelarinPropertyPage2::OnEnableSetBeep);
    connect(rateCorrection, &QCheckBox::clicked, this, &CVelarinPropertyPage2::OnRateCorrection);
    connect(updateNow, &QPushButton::clicked, this, [this] {
        if (Sheet() != nullptr)
            Sheet()->SetPCClockNow();
    });
    connect(help, &QPushButton::clicked, this, &CVelarinPropertyPage2::OnHelp);

    SetDlgItemInt(interval, context_.state.timeUpdateRate.load());
    beep->setChecked(context_.state.enableSetBeep.load() == 1);
    // Connected after the field is filled: showing the page changes no setting, only typing does.
    connect(
        interval, &QLineEdit::textChanged, this, &CVelarinPropertyPage2::OnChangeUpdateInterval);
    rateCorrection->setChecked(context_.settings.GetProfileInt(keys::kSettings,
                                   keys::kRateCorrection, keys::kRateCorrectionDefault)
        == 1);
    showClockRate();
    SetTimer(kRefreshMilliseconds);
}

void CVelarinPropertyPage2::OnChangeUpdateInterval()
{
    // No range check: the text beside the field states the range, and every keystroke counts
    // (an empty field is 0 until the next one).
    const uint16_t minutes = gpsconfig::KeepIn16Bits(GetDlgItemInt(Control(kUpdateInterval)));
    context_.state.timeUpdateRate = minutes;
    context_.settings.WriteProfileInt(keys::kSettings, keys::kTimeUpdateRate, minutes);
}

void CVelarinPropertyPage2::OnEnableSetBeep()
{
    const auto* beep = qobject_cast<QCheckBox*>(Control(kEnableSetBeep));
    const int enabled = beep->isChecked() ? 1 : 0;
    context_.state.enableSetBeep = enabled;
    context_.settings.WriteProfileInt(keys::kSettings, keys::kEnableSetBeep, enabled);
}

void CVelarinPropertyPage2::OnRateCorrection()
{
    // Read by the next setting, which also gives the clock its old rate back when switched off.
    const auto* box = qobject_cast<QCheckBox*>(Control(kRateCorrection));
    context_.settings.WriteProfileInt(
        keys::kSettings, keys::kRateCorrection, box->isChecked() ? 1 : 0);
}

void CVelarinPropertyPage2::showClockRate()
{
    if (auto* label = qobject_cast<QLabel*>(Control(kClockRate)))
        label->setText(QString::fromStdString(ClockRateText(
            context_.state.clockRateState.load(), context_.state.clockRatePpm.load())));
}

void CVelarinPropertyPage2::OnTimer()
{
    showClockRate();
    const SystemTime local = context_.clock.GetLocal();
    if (local.second == lastLocalSecond_)
        return;
    lastLocalSecond_ = local.second;
    Control(kUpdateNow)
        ->setEnabled(gpsconfig::UpdateNowEnabled(
            context_.host.IsSetTimeBusy(), context_.state.timeReferenceUsable.load()));
}

} // namespace velarin
