#include "app/core/GuiStartup.h"

#include "app/core/VelarinApp.h"
#include "gui/frame/MainFrame.h"
#include "gui/ui/FirstTimeConfigDlg.h"
#include "gui/ui/TrayBarDlg.h"

#include <QApplication>
#include <QTimer>

namespace velarin {

GuiMainFrame::GuiMainFrame(std::unique_ptr<CMainFrame> frame)
    : frame_(std::move(frame))
{
}

GuiMainFrame::~GuiMainFrame() = default;

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

GuiStartup::GuiStartup(CVelarinApp& app, SystemClock& clock)
    : clock_(clock)
{
    // The hidden frame is the program; closing a clock or properties window must not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    app.firstTimeConfigPrompt = &prompt_;
    app.createMainFrame = [this](CVelarinApp& a) { return createMainFrame(a); };
    app.showTrayBarNotice = [&app](MainFrame& frame) {
        auto* gui = dynamic_cast<GuiMainFrame*>(&frame);
        CTrayBarDlg notice(app.Settings(), gui ? &gui->Frame() : nullptr);
        notice.DoModal();
    };
}

std::unique_ptr<MainFrame> GuiStartup::createMainFrame(CVelarinApp& app)
{
    MainFrameServices services;
    services.systemClock = &clock_;
    auto frame = std::make_unique<CMainFrame>(app.State(), app.Settings(), std::move(services));
    if (!frame->Create())
        return nullptr;
    frame_ = frame.get();
    connect(frame_, &CMainFrame::closed, qApp, &QCoreApplication::quit);

    // The tray state and the clock's hover text follow the shared state on their own timers.
    auto* tray = new QTimer(frame_);
    connect(tray, &QTimer::timeout, frame_, &CMainFrame::RefreshTrayState);
    tray->start(200);
    auto* hover = new QTimer(frame_);
    connect(hover, &QTimer::timeout, frame_, &CMainFrame::UpdateClockTip);
    hover->start(1000);
    frame_->RefreshTrayState();
    return std::make_unique<GuiMainFrame>(std::move(frame));
}

} // namespace velarin
