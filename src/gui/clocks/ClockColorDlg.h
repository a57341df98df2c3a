#pragma once

#include "gui/clocks/ColorChooser.h"
#include "platform/SystemClock.h"

#include "gui/clocks/ClockDialog.h"

namespace velarin {

class CDigitalClockCtrl;

// "Custom Clock Color": picks the seven-segment clock's lit and unlit segment colours with a
// live preview. The caller sets both colours before running it and reads them back after OK.
class CClockColorDlg : public ClockDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 145;

    CClockColorDlg(
        SystemClock& clock, QWidget* owner = nullptr, ColorChooser chooser = ChooseColorWithDialog);

    ColorRef activeColor = 0x00FF00;
    ColorRef inactiveColor = 0x004000;

    CDigitalClockCtrl* Preview() const { return preview_; }
    void OnInitDialog() override;
    void OnSetActiveColor();
    void OnSetInactiveColor();

private:
    std::optional<ColorRef> choose(ColorRef initial);

    ColorChooser chooser_;
    CDigitalClockCtrl* preview_;
};

} // namespace velarin
