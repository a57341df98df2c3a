#pragma once

#include "gui/ui/CVelarinPropertyPage.h"

namespace velarin {

class CLedCtrl;

// Tab "GPS Configuration" (template 107): which sentence gives the time, when the receiver counts
// as time locked, the set-time delay correction, the hardware 1PPS input, the serial port and the
// raw NMEA log. Every change takes effect at once, in memory and in the settings store.
class CVelarinPropertyPage4 : public CVelarinPropertyPage {
    Q_OBJECT
public:
    static constexpr int kDialogId = 107;
    static constexpr int kHelpContext = 131179;

    enum ControlId {
        kTimeFromGpgga = 1020,
        kTimeFromGprmc = 1021,
        kLockNeedsQuality = 1025,
        kLockSatellites = 1026,
        kTimeFromGpzda = 1027,
        kGpsTimeDelay = 1053,
        kAnd = 1088,
        kCommSettings = 1089,
        kUseOnePps = 1094,
        kHelp = 1103,
        kPpsSettings = 1104,
        kLogNmea = 1112,
        kLogIndicator = 1113,
        kAcceptAllTalkers = 1120,
    };

    explicit CVelarinPropertyPage4(PropertySheetContext& context, QWidget* parent = nullptr);

    CLedCtrl* LogIndicator() const { return logIndicator_; }

    // The button handlers, also reachable without a click.
    void OnCommSettings();
    void OnPpsSettings();
    // "Log NMEA..." / "Close Log": stops a running capture, or asks for a file and starts one.
    void ToggleNmeaCapture();

protected:
    void OnInitDialog() override;

private:
    void CreateControls();
    void OnTimeSourceClicked();
    void OnLockQualityClicked();
    void OnChangeLockSatellites();
    void OnChangeGpsTimeDelay();
    void OnUseOnePpsClicked();
    void OnAcceptAllTalkersClicked();

    bool IsChecked(int id) const;

    CLedCtrl* logIndicator_ = nullptr;
};

} // namespace velarin
