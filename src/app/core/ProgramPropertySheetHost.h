#pragma once

#include "gui/ui/PropertySheetHost.h"

#include <functional>

namespace velarin {

class CVelarinApp;
class ClockSettingCore;
class Connectivity;

// The running program behind the property sheet: the clock-setting core, the GPS link and the
// system log of the application.
class ProgramPropertySheetHost : public PropertySheetHost {
public:
    ProgramPropertySheetHost(CVelarinApp& app, ClockSettingCore& core, Connectivity& connectivity,
        std::function<void(int context)> openHelp);

    void LoadCurrentTimeServer() override;
    void StartSetTimeThread() override;
    void UseGpsReference() override;
    void UseNetworkReference() override;
    bool IsInternetConnected() override;
    SystemLog* GetSystemLog() override;
    bool IsSetTimeBusy() const override;
    void StopSetTimeThread() override;
    CSerialPort* SerialPort() override;
    UserNotifier* Notifier() override;
    void ShowHelp(int context) override;
    CIrigGenerator* IrigGenerator() override;

private:
    CVelarinApp& app_;
    ClockSettingCore& core_;
    Connectivity& connectivity_;
    std::function<void(int context)> openHelp_;
};

} // namespace velarin
