#include "gui/clocks/AnalogClockColorDlg.h"

#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/DialogTemplate.h"
#include "gui/clocks/SystemColors.h"

#include <QCheckBox>
#include <QPushButton>

namespace velarin {

CAnalogClockColorDlg::CAnalogClockColorDlg(SystemClock& clock, QWidget* owner, ColorChooser chooser)
    : ClockDialog(owner)
    , chooser_(std::move(chooser))
    , preview_(new CAnalogClockCtrl(clock))
    , useSystem_(new QCheckBox(QStringLiteral("Use System Colors")))
{
    const DialogTemplate dlg(
        this, QStringLiteral("Analog Clock Color"), QStringLiteral("MS Sans Serif"), 291, 159);
    dlg.Add(preview_, 1056, 7, 7, 162, 145);
    auto* ok = dlg.Add(new QPushButton(QStringLiteral("OK")), 1, 175, 7, 52, 14);
    auto* cancel = dlg.Add(new QPushButton(QStringLiteral("Cancel")), 2, 232, 7, 52, 14);
    auto* hand = dlg.Add(new QPushButton(QStringLiteral("Hand Color")), 1080, 175, 27, 52, 14);
    auto* face = dlg.Add(new QPushButton(QStringLiteral("Face Color")), 1078, 232, 27, 52, 14);
    auto* second = dlg.Add(new QPushButton(QStringLiteral("Seconds Color")), 1081, 175, 47, 52, 14);
    auto* text = dlg.Add(new QPushButton(QStringLiteral("Text Color")), 1079, 232, 47, 52, 14);
    dlg.Add(useSystem_, 1082, 175, 67, 75, 10);
    colorButtons_[0] = face;
    colorButtons_[1] = text;
    colorButtons_[2] = hand;
    colorButtons_[3] = second;
    ok->setDefault(true);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(face, &QPushButton::clicked, this,
        [this] { editColor(faceColor, &CAnalogClockCtrl::faceColor); });
    connect(text, &QPushButton::clicked, this,
        [this] { editColor(textColor, &CAnalogClockCtrl::textColor); });
    connect(hand, &QPushButton::clicked, this,
        [this] { editColor(handColor, &CAnalogClockCtrl::handColor); });
    connect(second, &QPushButton::clicked, this,
        [this] { editColor(secondColor, &CAnalogClockCtrl::secondColor); });
    connect(useSystem_, &QCheckBox::clicked, this, &CAnalogClockColorDlg::OnUseSystemColors);
}

void CAnalogClockColorDlg::OnInitDialog()
{
    preview_->EnableTick(1, 100);
    preview_->faceColor = faceColor;
    preview_->textColor = textColor;
    preview_->handColor = handColor;
    preview_->secondColor = secondColor;
    useSystem_->setChecked(useSystemColors != 0);
    OnUseSystemColors();
}

void CAnalogClockColorDlg::editColor(ColorRef& color, ColorRef CAnalogClockCtrl::*previewColor)
{
    SetSavedCustomColor(0, color);
    if (const auto chosen = chooser_(this, color)) {
        color = *chosen;
        preview_->*previewColor = *chosen;
        preview_->update();
    }
}

void CAnalogClockColorDlg::OnUseSystemColors()
{
    const bool system = useSystem_->isChecked();
    if (system) {
        faceColor = GetSystemColor(kColorWindow);
        textColor = GetSystemColor(kColorWindowText);
        handColor = GetSystemColor(kColorHighlight);
        // What is handed back is the halved workspace colour; the clock itself, deriving its
        // colours from the system, shows three quarters of the highlight, as the preview does.
        secondColor = HalfChannels(GetSystemColor(kColorAppWorkspace));
        preview_->faceColor = faceColor;
        preview_->textColor = textColor;
        preview_->handColor = handColor;
        preview_->secondColor = ThreeQuarterChannels(handColor);
        preview_->update();
    }
    for (QPushButton* button : colorButtons_)
        button->setEnabled(!system);
}

void CAnalogClockColorDlg::accept()
{
    useSystemColors = useSystem_->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace velarin
