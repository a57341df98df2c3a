#include "gui/ui/CPPSSettingsDlg.h"

#include "engine/ui/GpsConfigurationRules.h"
#include "gui/ui/DialogItems.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace velarin {

CPPSSettingsDlg::CPPSSettingsDlg(QWidget* parent)
    : CTemplateDialog(kDialogId, QStringLiteral("PPS Settings"), 186, 98, parent)
    , cts_(new QRadioButton(QStringLiteral("Use CTS"), this))
    , dsr_(new QRadioButton(QStringLiteral("Use DSR"), this))
    , dcd_(new QRadioButton(QStringLiteral("Use DCD"), this))
    , polarityBox_(new QComboBox(this))
{
    PlaceIn(cts_, kUseCts, QRect(14, 10, 80, 10));
    PlaceIn(dsr_, kUseDsr, QRect(14, 24, 80, 10));
    PlaceIn(dcd_, kUseDcd, QRect(14, 38, 80, 10));
    PlaceIn(new QLabel(QStringLiteral("Polarity:"), this), 0, QRect(14, 58, 34, 8));
    polarityBox_->addItem(QStringLiteral("Trigger on High to Low Transition"));
    polarityBox_->addItem(QStringLiteral("Trigger on Low to High Transition"));
    polarityBox_->addItem(QStringLiteral("Trigger on Any Transition"));
    PlaceIn(polarityBox_, kPolarity, QRect(50, 56, 128, 12));

    AddOkCancel(QRect(40, 77, 50, 14), QRect(96, 77, 50, 14));

    connect(cts_, &QRadioButton::clicked, this, &CPPSSettingsDlg::OnLineClicked);
    connect(dsr_, &QRadioButton::clicked, this, &CPPSSettingsDlg::OnLineClicked);
    connect(dcd_, &QRadioButton::clicked, this, &CPPSSettingsDlg::OnLineClicked);
}

void CPPSSettingsDlg::OnInitDialog()
{
    // An index outside the list selects nothing.
    polarityBox_->setCurrentIndex(
        polarity >= 0 && polarity < polarityBox_->count() ? polarity : -1);
    switch (gpsconfig::RadioForLineMask(lineMask)) {
    case gpsconfig::PpsLineRadio::Cts:
        cts_->setChecked(true);
        break;
    case gpsconfig::PpsLineRadio::Dsr:
        dsr_->setChecked(true);
        break;
    case gpsconfig::PpsLineRadio::Dcd:
        dcd_->setChecked(true);
        break;
    }
}

void CPPSSettingsDlg::OnLineClicked()
{
    lineMask
        = gpsconfig::LineMaskFromRadios(cts_->isChecked(), dsr_->isChecked(), dcd_->isChecked());
}

void CPPSSettingsDlg::accept()
{
    polarity = gpsconfig::PolarityAfterDialog(polarityBox_->currentIndex(), polarity);
    CTemplateDialog::accept();
}

} // namespace velarin
