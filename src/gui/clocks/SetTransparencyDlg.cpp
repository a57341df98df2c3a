#include "gui/clocks/SetTransparencyDlg.h"

#include "gui/clocks/DialogTemplate.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/clocks/LayeredWindowHelper.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace velarin {

CSetTransparencyDlg::CSetTransparencyDlg(SystemClock& clock, QWidget* owner)
    : ClockDialog(owner)
    , slider_(new QSlider(Qt::Horizontal))
    , preview_(new CDigitalClockCtrl(clock))
{
    const DialogTemplate dlg(
        this, QStringLiteral("Set Transparency"), QStringLiteral("MS Shell Dlg"), 186, 95);
    dlg.Add(preview_, 1056, 36, 7, 114, 23);
    auto* less = new QLabel(QStringLiteral("Less"));
    less->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    dlg.Place(less, 11, 33, 18, 8);
    auto* more = new QLabel(QStringLiteral("More"));
    more->setAlignment(Qt::AlignRight | Qt::AlignTop);
    dlg.Place(more, 156, 33, 23, 8);
    dlg.Add(slider_, 1110, 7, 41, 172, 20);
    slider_->setTickPosition(QSlider::TicksAbove);
    auto* ok = dlg.Add(new QPushButton(QStringLiteral("OK")), 1, 39, 74, 50, 14);
    auto* cancel = dlg.Add(new QPushButton(QStringLiteral("Cancel")), 2, 96, 74, 50, 14);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CSetTransparencyDlg::OnInitDialog()
{
    slider_->setRange(kMinimumAlpha, kMaximumAlpha);
    slider_->setTickInterval(32);
    slider_->setValue(alpha); // the slider clamps a stored value into its range
    preview_->SetThickness(2);
    preview_->EnableTick(1, 200);
    apply();
    connect(slider_, &QSlider::valueChanged, this, &CSetTransparencyDlg::apply);
}

void CSetTransparencyDlg::apply()
{
    alpha = slider_->value();
    CLayeredWindowHelper helper(this, 220);
    helper.SetAlpha(alpha);
    helper.EnableLayered(1);
}

} // namespace velarin
