#include "app/core/ProgramPropertySheetHost.h"

#include "app/core/ClockSettingCore.h"
#include "app/core/VelarinApp.h"
#include "engine/ui/TimeReferenceSwitch.h"
#include "platform/Connectivity.h"

namespace velarin {

ProgramPropertySheetHost::ProgramPropertySheetHost(CVelarinApp& app, ClockSettingCore& core,
    Connectivity& connectivity, std::function<void(int context)> openHelp)
    : app_(app)
    , core_(core)
    , connectivity_(connectivity)
    , openHelp_(std::move(openHelp))
{
}

void ProgramPropertySheetHost::LoadCurrentTimeServer()
{
    core_.ReloadCurrentTimeServer();
}

void ProgramPropertySheetHost::StartSetTimeThread()
{
    core_.Worker().StartSetTimeThread();
}

void ProgramPropertySheetHost::UseGpsReference()
{
    ReopenGpsLink(app_.SerialPort(), app_.Settings());
}

void ProgramPropertySheetHost::UseNetworkReference()
{
    CloseGpsLink(app_.SerialPort(), core_.Parser());
}

bool ProgramPropertySheetHost::IsInternetConnected()
{
    return connectivity_.IsInternetConnected();
}

SystemLog* ProgramPropertySheetHost::GetSystemLog()
{
    return &core_.Log();
}

bool ProgramPropertySheetHost::IsSetTimeBusy() const
{
    return core_.Worker().IsSetTimeBusy() != 0;
}

void ProgramPropertySheetHost::StopSetTimeThread()
{
    core_.Worker().StopSetTimeThread();
}

CSerialPort* ProgramPropertySheetHost::SerialPort()
{
    return &app_.SerialPort();
}

UserNotifier* ProgramPropertySheetHost::Notifier()
{
    return &app_.Notifier();
}

void ProgramPropertySheetHost::ShowHelp(int context)
{
    if (openHelp_)
        openHelp_(context);
}

CIrigGenerator* ProgramPropertySheetHost::IrigGenerator()
{
    return &core_.Irig();
}

} // namespace velarin
