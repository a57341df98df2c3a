#pragma once

#include "engine/AppState.h"
#include "engine/clocks/ClockColors.h"
#include "gui/clocks/ColorChooser.h"
#include "gui/clocks/EdgeResizer.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>

class QDialog;
class QMenu;

namespace velarin {

class CAnalogClockCtrl;
class CDigitalClockCtrl;
class ClockWindowHost;

// The desktop clock: a small frameless tool window (no taskbar entry) that shows the digital or
// the analog clock over its whole client area. It is moved by dragging anywhere on it, resized
// from its edges, and driven by its right-button menu; every choice is stored at once.
class CClockWnd : public QWidget {
    Q_OBJECT
public:
    // Runs a modal dialog; tests stand in for the user with their own.
    using DialogRunner = std::function<int(QDialog&)>;

    // Creates the window with the stored rectangle, hidden; the owner shows it (ShowAtStartup).
    CClockWnd(SettingsStore& settings, AppState& state, SystemClock& clock, ClockWindowHost& host,
        QWidget* owner = nullptr);
    ~CClockWnd() override;

    CDigitalClockCtrl* digitalClock = nullptr;
    CAnalogClockCtrl* analogClock = nullptr;
    int dragAnchorArmed = 0;
    QPoint dragAnchor; // cursor position in the window at the first move of a drag
    int dragging = 0; // the main frame leaves the hover text alone while this is 1
    ColorRef analogFaceColor = 0;
    ColorRef analogTextColor = 0;
    ColorRef analogHandColor = 0;
    ColorRef analogSecondColor = 0;

    // Shows the window when "DigitalClockEnabled" is 1.
    void ShowAtStartup();
    void SaveClockPosition();
    int IsLocalTime() const;
    int Is24HourMode() const;
    void LoadAnalogColors();
    void ApplyClockTransparency();

    // The hover text for the current time in the clock's own format; not while dragging.
    void RefreshHoverText();
    void SetHoverText(const QString& text);

    std::unique_ptr<QMenu> BuildContextMenu();
    // (-1, -1) stands for the menu key: the menu opens near the window's top left corner.
    void ShowContextMenu(QPoint screenPoint);
    void OnCommand(int commandId);
    void OnSetPcClockNow();

    void SetDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    void SetColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }
    void SetTranslucencyProbe(std::function<bool()> probe)
    {
        translucencyProbe_ = std::move(probe);
    }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int clockType() const;
    int setting(const char* key, int defaultValue) const;
    void write(const char* key, int value);
    void setTopMost(bool on);
    void setSegmentColors(ColorRef active, ColorRef inactive, int colorCommand);
    void onCustomColor();
    void onSetAnalogColor();
    void onLocalTime(int local);
    void on24HourTime();
    void onShowDayOfYear();
    void onTransparent();
    void onSetTransparency();
    void onClockType(int type);
    void invalidateWithErase();
    void updateThickness();
    QWidget* dialogOwner();

    SettingsStore& settings_;
    AppState& state_;
    SystemClock& clock_;
    ClockWindowHost& host_;
    int timerId_ = 0;
    DialogRunner runDialog_;
    ColorChooser chooser_;
    std::function<bool()> translucencyProbe_;
    EdgeResizer resizer_;
};

} // namespace velarin
