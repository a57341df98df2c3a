#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

// Tab "Update PC Clock" (template 105): how often the PC clock is set, and a button that sets it
// now. Every keystroke in the interval field takes effect at once.
class CVelarinPropertyPage2 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 105;
    static constexpr int kHelpContext = 131177;
    static constexpr int kRefreshMilliseconds = 500;

    enum ControlId {
        kUpdateNow = 1008,
        kUpdateInterval = 1009,
        kEnableSetBeep = 1059,
        kRateCorrection = 1060,
        kClockRate = 1061,
        kHelp = 1103,
    };

    explicit CVelarinPropertyPage2(PropertySheetContext& context, QWidget* parent = nullptr);

    void OnTimer() override;

protected:
    void OnInitDialog() override;

private:
    void OnChangeUpdateInterval();
    void OnEnableSetBeep();
    void OnRateCorrection();
    void showClockRate();

    // The local second last seen by the timer; the button is re-checked when it changes.
    int lastLocalSecond_ = 0;
};

} // namespace velarin
