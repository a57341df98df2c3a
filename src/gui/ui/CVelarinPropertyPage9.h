#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

#include <functional>

class QComboBox;
class QDialog;
class QPushButton;

namespace velarin {

class CDigitalClockCtrl;

// Tab "Time" (template 118): a live UTC clock in seven-segment digits, the desktop digital
// clock's colour and the set-clock button. A colour chosen in the desktop clock's own menu shows
// here within a second.
class CVelarinPropertyPage9 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 118;
    static constexpr int kHelpContext = 131190;
    static constexpr int kRefreshMilliseconds = 100;
    static constexpr int kColorRefreshMilliseconds = 1000;

    // Runs a modal dialog; the "Custom" colour dialog goes through it so tests can answer it.
    using DialogRunner = std::function<int(QDialog&)>;

    explicit CVelarinPropertyPage9(PropertySheetContext& context, QWidget* parent = nullptr);
    ~CVelarinPropertyPage9() override;

    // Timer id 1: colours into the clock, the button's state.
    void OnTimer() override;
    // Timer id 1000: as id 1, and the list follows "Clock Color" unless it has the focus.
    void OnColorTimer();
    void OnColorListChanged(int index);

    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    QComboBox* ColorList() const { return colorList_; }
    CDigitalClockCtrl* UtcClock() const { return utcClock_; }

protected:
    void OnInitDialog() override;

private:
    void selectStoredColor();
    void refreshClockAndButton();

    QComboBox* colorList_ = nullptr;
    CDigitalClockCtrl* utcClock_ = nullptr;
    QPushButton* setClockNow_ = nullptr;
    std::unique_ptr<WindowTimer> colorTimer_;
    DialogRunner runDialog_;
};

} // namespace velarin
