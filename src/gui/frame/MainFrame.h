#pragma once

#include "engine/frame/TrayStatus.h"
#include "gui/clocks/ClockWindowHost.h"
#include "gui/frame/DesktopClock.h"

#include <QIcon>
#include <QMap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QMenu;
class QSystemTrayIcon;

namespace velarin {

class AppState;
class SettingsStore;
class SystemClock;
class CMainFrame;

// What the main frame reaches outside itself. Every member has a working default except the
// clock-setting ones, which do nothing when absent.
struct MainFrameServices {
    std::function<bool()> isSetTimeBusy;
    // "&Set PC Clock Now": reload the current time server, then start the set-time worker.
    std::function<void()> setPcClockNow;
    // The desktop clock window, owned by the frame. Default: the clock window on systemClock.
    std::function<std::unique_ptr<DesktopClock>(CMainFrame& frame)> createClock;
    // The properties window, a top-level window owned by the frame; null when it failed.
    std::function<QWidget*(QWidget* owner)> createPropertyFrame;
    std::function<void(int context)> openHelp;
    std::function<bool()> trayAvailable;
    // The clock the desktop clock shows; needed by the default createClock.
    SystemClock* systemClock = nullptr;
};

// The hidden main window, titled "Velarin-Corvasek": it owns the tray icon and its menu, the
// desktop clock and the properties window, and answers the tray, the menu and a second copy's
// request to show the properties. The heartbeat drives RefreshTrayState (200 ms) and
// UpdateClockTip (each new second).
class CMainFrame : public QWidget, public ClockWindowHost {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "Velarin-Corvasek";

    CMainFrame(AppState& app, SettingsStore& settings, MainFrameServices services);
    ~CMainFrame() override;

    // The creation steps: tray icon, clock window (shown when enabled, or when there is no tray
    // to reach the program by). False when the frame cannot work.
    bool Create();

    void ShowProperties() override;
    void RefreshTrayState();
    // Once a second, when the local second changed.
    void UpdateClockTip();
    void OnCommand(int id);

    // What the clock window's menu passes on.
    void SetPcClockNow() override;
    void ShowHelpTopics() override;
    QWidget* DialogOwner() override { return nullptr; }

    // For the tests and the wiring.
    QMenu* TrayMenu() const { return menu_; }
    QSystemTrayIcon* TrayIcon() const { return tray_; }
    DesktopClock* Clock() const { return clock_.get(); }
    QWidget* PropertyFrame() const { return propertyFrame_; }
    bool IsTrayShown() const { return trayShown_; }
    int TrayIconShown() const { return status_.IconShown(); }

signals:
    // The frame closed (after storing the clock position): the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void updateMenuStates();
    void addTrayIcon();
    void removeTrayIcon();
    void enterNoTrayFallback();
    void leaveNoTrayFallback();
    void sayWhereTheProgramLives();
    const QIcon& iconFor(int id);

    AppState& app_;
    SettingsStore& settings_;
    MainFrameServices services_;
    QMenu* menu_ = nullptr;
    QSystemTrayIcon* tray_ = nullptr;
    bool trayShown_ = false;
    TrayStatus status_;
    QMap<int, QIcon> icons_;
    std::unique_ptr<DesktopClock> clock_;
    // The clock is on screen only because no tray exists; the user's setting still says hidden.
    bool clockShownForNoTray_ = false;
    bool saidWhereTheProgramLives_ = false;
    QPointer<QWidget> propertyFrame_;
    bool closing_ = false;
};

} // namespace velarin
