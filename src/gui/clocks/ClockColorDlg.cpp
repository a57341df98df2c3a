#include "gui/clocks/ClockColorDlg.h"

#include "gui/clocks/DialogTemplate.h"
#include "gui/clocks/DigitalClockCtrl.h"

#include <QPushButton>

namespace velarin {

CClockColorDlg::CClockColorDlg(SystemClock& clock, QWidget* owner, ColorChooser chooser)
    : ClockDialog(owner)
    , chooser_(std::move(chooser))
    , preview_(new CDigitalClockCtrl(clock))
{
    const DialogTemplate dlg(
        this, QStringLiteral("Custom Clock Color"), QStringLiteral("MS Sans Serif"), 212, 95);
    dlg.Add(preview_, 1056, 12, 7, 186, 32);
    auto* active
        = dlg.Add(new QPushButton(QStringLiteral("Set Active Segment Color")), 1057, 7, 48, 94, 14);
    auto* inactive = dlg.Add(
        new QPushButton(QStringLiteral("Set Inactive Segment Color")), 1058, 111, 48, 94, 14);
    auto* ok = dlg.Add(new QPushButton(QStringLiteral("OK")), 1, 50, 74, 50, 14);
    auto* cancel = dlg.Add(new QPushButton(QStringLiteral("Cancel")), 2, 111, 74, 50, 14);
    ok->setDefault(true);
    connect(active, &QPushButton::clicked, this, &CClockColorDlg::OnSetActiveColor);
    connect(inactive, &QPushButton::clicked, this, &CClockColorDlg::OnSetInactiveColor);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CClockColorDlg::OnInitDialog()
{
    preview_->SetThickness(3);
    preview_->EnableTick(1, 100);
    preview_->SetSegmentColors(activeColor, inactiveColor);
}

std::optional<ColorRef> CClockColorDlg::choose(ColorRef initial)
{
    // The chooser always offers the two current segment colours first.
    SetSavedCustomColor(0, activeColor);
    SetSavedCustomColor(1, inactiveColor);
    return chooser_(this, initial);
}

void CClockColorDlg::OnSetActiveColor()
{
    if (const auto chosen = choose(activeColor)) {
        activeColor = *chosen;
        preview_->activeColor = *chosen;
    }
}

void CClockColorDlg::OnSetInactiveColor()
{
    if (const auto chosen = choose(inactiveColor)) {
        inactiveColor = *chosen;
        preview_->inactiveColor = *chosen;
    }
}

} // namespace velarin
