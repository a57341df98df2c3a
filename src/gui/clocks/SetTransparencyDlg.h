#pragma once

#include "platform/SystemClock.h"

#include "gui/clocks/ClockDialog.h"

class QSlider;

namespace velarin {

class CDigitalClockCtrl;

// "Set Transparency": picks the clock window's alpha and previews it on the dialog itself.
class CSetTransparencyDlg : public ClockDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 167;
    static constexpr int kMinimumAlpha = 50;
    static constexpr int kMaximumAlpha = 255;

    explicit CSetTransparencyDlg(SystemClock& clock, QWidget* owner = nullptr);

    int alpha = 0;

    QSlider* Slider() const { return slider_; }
    CDigitalClockCtrl* Preview() const { return preview_; }
    void OnInitDialog() override;

private:
    void apply();

    QSlider* slider_;
    CDigitalClockCtrl* preview_;
};

} // namespace velarin
