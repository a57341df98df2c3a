#include "gui/frame/MainFrame.h"

#include "engine/AppState.h"
#include "engine/frame/TrayMenu.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/ClockWnd.h"
#include "gui/frame/ClockWindowAdapter.h"
#include "gui/frame/HelpLauncher.h"
#include "gui/frame/StandInPropertyFrame.h"
#include "gui/frame/TrayIconImages.h"
#include "platform/SettingsStore.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>

namespace velarin {
namespace {

void FillDefaults(MainFrameServices& s, AppState& app, SettingsStore& settings)
{
    if (!s.isSetTimeBusy)
        s.isSetTimeBusy = [] { return false; };
    if (!s.setPcClockNow)
        s.setPcClockNow = [] {};
    if (!s.createClock)
        s.createClock = [&app, &settings, clock = s.systemClock](
                            CMainFrame& frame) -> std::unique_ptr<DesktopClock> {
            if (!clock)
                return nullptr;
            // No Qt parent: the adapter owns the window and deletes it before the frame goes.
            auto* window = new CClockWnd(settings, app, *clock, frame);
            return std::make_unique<ClockWindowAdapter>(
                window, [&frame] { frame.OnCommand(cmd::kAppExit); });
        };
    if (!s.createPropertyFrame)
        s.createPropertyFrame
            = [](QWidget* owner) -> QWidget* { return new StandInPropertyFrame(owner); };
    if (!s.openHelp)
        s.openHelp = [](int context) { HelpLauncher::OpenHelpContext(context); };
    if (!s.trayAvailable)
        s.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
}

} // namespace

CMainFrame::CMainFrame(AppState& app, SettingsStore& settings, MainFrameServices services)
    : app_(app)
    , settings_(settings)
    , services_(std::move(services))
{
    FillDefaults(services_, app_, settings_);
    setWindowTitle(QString::fromLatin1(kTitle));
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(TrayIconImages::ApplicationIcon());
}

CMainFrame::~CMainFrame()
{
    removeTrayIcon();
    // The clock and the properties window go before the frame's own children are torn down.
    clock_.reset();
    delete propertyFrame_.data();
}

bool CMainFrame::Create()
{
    // The hidden window exists on the display with its title, as the program's anchor there.
    winId();
    buildMenu();
    tray_ = new QSystemTrayIcon(this);
    tray_->setContextMenu(menu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        // The menu opens on the right button by itself (the context menu set above).
        if (r == QSystemTrayIcon::DoubleClick)
            ShowProperties();
    });
    addTrayIcon();

    clock_ = services_.createClock(*this);
    if (!clock_)
        return false;
    if (settings_.GetProfileInt(keys::kSettings, keys::kDigitalClockEnabled, 1) == 1)
        clock_->ShowClock();
    if (!trayShown_) {
        enterNoTrayFallback();
        sayWhereTheProgramLives();
    }
    return true;
}

void CMainFrame::buildMenu()
{
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("menu111"));
    for (const TrayMenuItem& item : TrayMenuItems()) {
        if (item.id == 0) {
            menu_->addSeparator();
            continue;
        }
        QAction* action = menu_->addAction(QString::fromUtf8(item.text.data(), item.text.size()));
        action->setData(item.id);
        action->setObjectName(QStringLiteral("cmd%1").arg(item.id));
        action->setCheckable(item.id == cmd::kTrayShowClock);
        const int id = item.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    }
    connect(menu_, &QMenu::aboutToShow, this, &CMainFrame::updateMenuStates);
}

void CMainFrame::updateMenuStates()
{
    const bool usable = app_.timeReferenceUsable.load() == 1;
    const bool clockVisible = clock_ && clock_->IsClockVisible();
    for (QAction* action : menu_->actions()) {
        if (action->isSeparator())
            continue;
        const auto state = TrayMenuItemStateFor(action->data().toInt(), usable, clockVisible);
        action->setEnabled(state.enabled);
        if (action->isCheckable())
            action->setChecked(state.checked);
    }
}

void CMainFrame::OnCommand(int id)
{
    switch (id) {
    case cmd::kTrayProperties:
        ShowProperties();
        break;
    case cmd::kTraySetPcClockNow:
        SetPcClockNow();
        break;
    case cmd::kTrayShowClock:
        clock_->ShowClock();
        clockShownForNoTray_ = false;
        settings_.WriteProfileInt(keys::kSettings, keys::kDigitalClockEnabled, 1);
        break;
    case cmd::kTrayResetClockPosition:
        clock_->ResetClockPosition();
        clockShownForNoTray_ = false;
        settings_.WriteProfileInt(keys::kSettings, keys::kDigitalClockEnabled, 1);
        break;
    case cmd::kHelpFinder:
    case cmd::kHelp:
    case cmd::kHelpContextHelp:
    case cmd::kDefaultHelp:
        ShowHelpTopics();
        break;
    case cmd::kAppExit:
        close();
        break;
    default:
        break;
    }
}

void CMainFrame::SetPcClockNow()
{
    // The menus grey the item out; a command arriving another way is checked all the same.
    if (app_.timeReferenceUsable.load() == 1)
        services_.setPcClockNow();
}

void CMainFrame::ShowHelpTopics()
{
    services_.openHelp(0);
}

void CMainFrame::ShowProperties()
{
    if (!propertyFrame_) {
        QWidget* frame = services_.createPropertyFrame(this);
        if (!frame)
            return; // the next request tries again
        propertyFrame_ = frame;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect r = frame->frameGeometry();
            r.moveCenter(screen->availableGeometry().center());
            frame->move(r.topLeft());
        }
        frame->setFocus();
    }
    if (propertyFrame_->isHidden())
        propertyFrame_->show();
    propertyFrame_->raise();
    propertyFrame_->activateWindow();
}

const QIcon& CMainFrame::iconFor(int id)
{
    auto it = icons_.find(id);
    if (it == icons_.end())
        it = icons_.insert(id, TrayIconImages::Icon(id));
    return *it;
}

void CMainFrame::addTrayIcon()
{
    if (!services_.trayAvailable())
        return;
    tray_->setIcon(iconFor(kTrayStartIcon));
    tray_->setToolTip(QString::fromUtf8(kTrayStartTip.data(), kTrayStartTip.size()));
    tray_->hide(); // a re-add after the tray host came back must dock a fresh icon
    tray_->show();
    trayShown_ = true;
    status_.ForgetShownIcon();
}

void CMainFrame::removeTrayIcon()
{
    if (tray_)
        tray_->hide();
    trayShown_ = false;
}

void CMainFrame::enterNoTrayFallback()
{
    // Without a tray the clock window and its menu are the only way in: show it whatever the
    // setting says, but leave the setting as the user chose it.
    if (!clock_)
        return;
    clock_->SetNoTrayMode(true);
    if (!clock_->IsClockVisible()) {
        clock_->ShowClock();
        clockShownForNoTray_ = true;
    }
}

void CMainFrame::leaveNoTrayFallback()
{
    if (!clock_)
        return;
    clock_->SetNoTrayMode(false);
    if (clockShownForNoTray_
        && settings_.GetProfileInt(keys::kSettings, keys::kDigitalClockEnabled, 1) != 1)
        clock_->HideClock();
    clockShownForNoTray_ = false;
}

void CMainFrame::sayWhereTheProgramLives()
{
    if (saidWhereTheProgramLives_)
        return;
    saidWhereTheProgramLives_ = true;
    auto* box = new QMessageBox(QMessageBox::Information, QStringLiteral("Velarin"),
        QStringLiteral("This desktop has no notification area (system tray), so Velarin shows "
                       "its desktop clock instead. Right-click the clock for the menu: "
                       "properties, set the PC clock, help and exit. Starting velarin again "
                       "also opens the properties."),
        QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("noTrayNotice"));
    box->setModal(false);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

void CMainFrame::RefreshTrayState()
{
    if (closing_)
        return;
    const bool available = services_.trayAvailable();
    if (available && !trayShown_) {
        addTrayIcon();
        leaveNoTrayFallback();
    } else if (!available && trayShown_) {
        removeTrayIcon();
        enterNoTrayFallback();
        sayWhereTheProgramLives();
    }
    if (!trayShown_)
        return;

    TrayInputs inputs;
    inputs.useNetworkTime = app_.useNetworkTime.load() != 0;
    inputs.setTimeBusy = services_.isSetTimeBusy();
    inputs.networkFailure = app_.networkFailure.load() != 0;
    inputs.noData = app_.noDataFlag.load() != 0;
    inputs.timeReferenceUsable = app_.timeReferenceUsable.load() == 1;
    if (const auto state = status_.RefreshTrayState(inputs)) {
        tray_->setIcon(iconFor(state->iconId));
        tray_->setToolTip(QString::fromUtf8(state->tipText.data(), state->tipText.size()));
    }
}

void CMainFrame::UpdateClockTip()
{
    if (clock_)
        clock_->RefreshHoverText();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    if (clock_)
        clock_->SaveClockPosition();
    removeTrayIcon();
    event->accept();
    emit closed();
}

} // namespace velarin
