#include "app/core/GuiStartup.h"

#include "app/core/VelarinApp.h"
#include "gui/frame/HelpLauncher.h"
#include "gui/frame/MainFrame.h"
#include "gui/ui/CVelarinPropertyFrame.h"
#include "gui/ui/FirstTimeConfigDlg.h"
#include "gui/ui/QtWindowTimer.h"
#include "gui/ui/TrayBarDlg.h"

#include <QApplication>

namespace velarin {

GuiMainFrame::GuiMainFrame(
    CVelarinApp& app, SystemClock& clock, ThreadPriority& priority, Connectivity& connectivity)
    : core_(app, clock, priority, connectivity)
    , sheetHost_(
          app, core_, connectivity, [](int context) { HelpLauncher::OpenHelpContext(context); })
    , sheetContext_ { app.State(), app.Settings(), core_.Parser(), clock, sheetHost_,
        QtWindowTimerFactory::Instance() }
{
    MainFrameServices services;
    services.createPropertyFrame
        = [this](QWidget*) -> QWidget* { return new CVelarinPropertyFrame(sheetContext_); };
    services.systemClock = &clock;
    services.isSetTimeBusy = [this] { return core_.Worker().IsSetTimeBusy() != 0; };
    services.setPcClockNow = [this] { core_.SetPcClockNow(); };
    frame_ = std::make_unique<CMainFrame>(app.State(), app.Settings(), std::move(services));
}

GuiMainFrame::~GuiMainFrame()
{
    // The timers stop before the windows they refresh go away.
    core_.onRefreshTray = nullptr;
    core_.onClockTip = nullptr;
}

bool GuiMainFrame::Create()
{
    if (!frame_->Create())
        return false;
    QObject::connect(frame_.get(), &CMainFrame::closed, qApp, &QCoreApplication::quit);
    core_.onRefreshTray = [this] { frame_->RefreshTrayState(); };
    core_.onClockTip = [this] { frame_->UpdateClockTip(); };
    core_.Start();
    return true;
}

void GuiMainFrame::OnShowPropertiesRequest()
{
    frame_->ShowProperties();
}

std::optional<bool> GuiFirstTimeConfigPrompt::Ask(bool networkTimePreset)
{
    CFirstTimeConfigDlg dialog;
    dialog.setChoice(networkTimePreset ? 1 : 0);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice() != 0;
}

GuiStartup::GuiStartup(
    CVelarinApp& app, SystemClock& clock, ThreadPriority& priority, Connectivity& connectivity)
    : clock_(clock)
    , priority_(priority)
    , connectivity_(connectivity)
{
    // The hidden frame is the program; closing a clock or properties window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    app.firstTimeConfigPrompt = &prompt_;
    app.showTrayBarNotice = [&app](MainFrame& frame) {
        auto* gui = dynamic_cast<GuiMainFrame*>(&frame);
        CTrayBarDlg notice(app.Settings(), gui ? &gui->Frame() : nullptr);
        notice.DoModal();
    };
}

std::unique_ptr<MainFrame> GuiStartup::CreateMainFrame(CVelarinApp& app, ClockSettingCore*& core)
{
    auto frame = std::make_unique<GuiMainFrame>(app, clock_, priority_, connectivity_);
    if (!frame->Create())
        return nullptr;
    core = &frame->Core();
    return frame;
}

} // namespace velarin
