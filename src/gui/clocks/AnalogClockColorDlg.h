#pragma once

#include "gui/clocks/ColorChooser.h"
#include "platform/SystemClock.h"

#include "gui/clocks/ClockDialog.h"

class QCheckBox;
class QPushButton;

namespace velarin {

class CAnalogClockCtrl;

// "Analog Clock Color": picks the analog clock's face, text, hand and second colours, or
// switches it to the system colours, with a live preview.
class CAnalogClockColorDlg : public ClockDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 150;

    CAnalogClockColorDlg(
        SystemClock& clock, QWidget* owner = nullptr, ColorChooser chooser = ChooseColorWithDialog);

    ColorRef faceColor = 0xFFFFFF;
    ColorRef textColor = 0;
    ColorRef handColor = 0x00FF00;
    ColorRef secondColor = 255;
    int useSystemColors = 0;

    CAnalogClockCtrl* Preview() const { return preview_; }
    void OnInitDialog() override;
    void OnUseSystemColors();
    void accept() override;

private:
    void editColor(ColorRef& color, ColorRef CAnalogClockCtrl::*previewColor);

    ColorChooser chooser_;
    CAnalogClockCtrl* preview_;
    QCheckBox* useSystem_;
    QPushButton* colorButtons_[4];
};

} // namespace velarin
