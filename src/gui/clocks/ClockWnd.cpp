#include "gui/clocks/ClockWnd.h"

#include "engine/clocks/ClockCommands.h"
#include "engine/clocks/ClockHoverText.h"
#include "engine/clocks/ClockMenuState.h"
#include "engine/clocks/ClockPosition.h"
#include "engine/clocks/SevenSegmentLayout.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/clocks/AnalogClockColorDlg.h"
#include "gui/clocks/AnalogClockCtrl.h"
#include "gui/clocks/ClockColorDlg.h"
#include "gui/clocks/ClockMenu.h"
#include "gui/clocks/ClockWindowHost.h"
#include "gui/clocks/DigitalClockCtrl.h"
#include "gui/clocks/LayeredWindowHelper.h"
#include "gui/clocks/SetTransparencyDlg.h"
#include "gui/clocks/SystemColors.h"
#include "gui/clocks/TranslucencySupport.h"
#include "gui/clocks/X11WindowState.h"

#include <QContextMenuEvent>
#include <QCursor>
#include <QMenu>
#include <QMouseEvent>
#include <QToolTip>
#include <algorithm>

namespace velarin {
namespace {

constexpr int kColorTimerPeriodMs = 100;
constexpr int kControlTickMs = 50;

} // namespace

CClockWnd::CClockWnd(SettingsStore& settings, AppState& state, SystemClock& clock,
    ClockWindowHost& host, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , settings_(settings)
    , state_(state)
    , clock_(clock)
    , host_(host)
    , runDialog_([](QDialog& dialog) { return dialog.exec(); })
    , chooser_(ChooseColorWithDialog)
    , translucencyProbe_(PlatformSupportsWindowOpacity)
    , resizer_(*this)
{
    setWindowTitle(QStringLiteral("Clock"));
    setMinimumWidth(kMinimumClockWidth);
    setMouseTracking(true);
    // The clocks cover the whole client area; the window itself paints nothing.
    setAttribute(Qt::WA_NoSystemBackground);

    const int type = clockType();
    if (setting(keys::kClockAlwayssOnTop, 0) != 0)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);

    digitalClock = new CDigitalClockCtrl(clock_, this);
    digitalClock->setMouseTracking(true);
    digitalClock->hide();
    digitalClock->EnableTick(1, kControlTickMs);
    state_.clockActiveSegColor = static_cast<ColorRef>(
        setting(keys::kClockEnableSegColor, keys::kClockEnableSegColorWindowDefault));
    state_.clockInactiveSegColor = static_cast<ColorRef>(
        setting(keys::kClockDisableSegColor, keys::kClockDisableSegColorWindowDefault));
    digitalClock->SetSegmentColors(state_.clockActiveSegColor, state_.clockInactiveSegColor);
    digitalClock->SetUseLocalTime(setting(keys::kLocalTime, 1));
    digitalClock->SetShowDayOfYear(setting(keys::kEnableDOY, 0));
    digitalClock->Set24HourMode(setting(keys::k24HourMode, 1));

    analogClock = new CAnalogClockCtrl(clock_, this);
    analogClock->setMouseTracking(true);
    analogClock->hide();
    analogClock->twentyFourHourMode = digitalClock->twentyFourHourMode;
    analogClock->EnableTick(1, kControlTickMs);
    LoadAnalogColors();

    digitalClock->setVisible(type == 0);
    analogClock->setVisible(type == 1);
    timerId_ = startTimer(kColorTimerPeriodMs);

    const ClockRect r = UsableClockRect(ParseClockPosition(
        settings_.GetProfileString(keys::kSettings, keys::kDigitalClockPosition, "")));
    setGeometry(r.left, r.top, r.Width(), r.Height());
    updateThickness();
    setToolTip(QString::fromStdString(FormatClockDateText(clock_.GetUtc())));

    if (setting(keys::kTransparent, 0) == 1)
        ApplyClockTransparency();
}

CClockWnd::~CClockWnd() = default;

int CClockWnd::setting(const char* key, int defaultValue) const
{
    return settings_.GetProfileInt(keys::kSettings, key, defaultValue);
}

void CClockWnd::write(const char* key, int value)
{
    settings_.WriteProfileInt(keys::kSettings, key, value);
}

int CClockWnd::clockType() const
{
    return setting(keys::kClockType, 0);
}

void CClockWnd::ShowAtStartup()
{
    if (setting(keys::kDigitalClockEnabled, 1) == 1) {
        show();
        update();
    }
}

void CClockWnd::SaveClockPosition()
{
    const QRect g = frameGeometry();
    const ClockRect r { g.x(), g.y(), g.x() + g.width(), g.y() + g.height() };
    settings_.WriteProfileString(
        keys::kSettings, keys::kDigitalClockPosition, FormatClockPosition(r));
}

int CClockWnd::IsLocalTime() const
{
    const int type = clockType();
    if (type == 0)
        return digitalClock->useLocalTime;
    return type == 1 ? analogClock->useLocalTime : 0;
}

int CClockWnd::Is24HourMode() const
{
    const int type = clockType();
    if (type == 0)
        return digitalClock->twentyFourHourMode;
    return type == 1 ? analogClock->twentyFourHourMode : 0;
}

void CClockWnd::LoadAnalogColors()
{
    if (setting(keys::kAnalogClockUseSystemColors, 1) != 0) {
        analogFaceColor = GetSystemColor(kColorWindow);
        analogTextColor = GetSystemColor(kColorWindowText);
        analogHandColor = GetSystemColor(kColorHighlight);
        analogSecondColor = ThreeQuarterChannels(analogHandColor);
    } else {
        analogFaceColor = static_cast<ColorRef>(setting(keys::kAnalogClockFaceColor, 0xFFFFFF));
        analogTextColor = static_cast<ColorRef>(setting(keys::kAnalogClockTextColor, 0));
        analogHandColor = static_cast<ColorRef>(setting(keys::kAnalogClockHandColor, 0xFF0000));
        analogSecondColor = static_cast<ColorRef>(setting(keys::kAnalogClockSecondColor, 255));
    }
    analogClock->faceColor = analogFaceColor;
    analogClock->textColor = analogTextColor;
    analogClock->handColor = analogHandColor;
    analogClock->secondColor = analogSecondColor;
}

void CClockWnd::ApplyClockTransparency()
{
    CLayeredWindowHelper helper;
    helper.Attach(this);
    if (setting(keys::kTransparent, 0) != 1) {
        helper.EnableLayered(0);
        return;
    }
    // A stored alpha outside what the dialog offers would leave the clock all but invisible.
    const int alpha = std::clamp(setting(keys::kOpacit, 104), CSetTransparencyDlg::kMinimumAlpha,
        CSetTransparencyDlg::kMaximumAlpha);
    helper.SetAlpha(alpha);
    helper.EnableLayered(1);
}

void CClockWnd::RefreshHoverText()
{
    if (dragging == 1)
        return;
    const bool local = IsLocalTime() != 0;
    const SystemTime now = local ? clock_.GetLocal() : clock_.GetUtc();
    SetHoverText(QString::fromStdString(FormatClockHoverText(now, local, Is24HourMode() != 0)));
}

void CClockWnd::SetHoverText(const QString& text)
{
    if (dragging == 1 || text == toolTip())
        return;
    setToolTip(text);
    // A hover text already on screen follows the clock rather than freezing at its first text.
    if (QToolTip::isVisible() && underMouse())
        QToolTip::showText(QCursor::pos(), text, this);
}

std::unique_ptr<QMenu> CClockWnd::BuildContextMenu()
{
    const int type = clockType();
    ClockControlFlags flags;
    if (type == 1) {
        flags = { analogClock->useLocalTime, analogClock->twentyFourHourMode };
    } else {
        flags = { digitalClock->useLocalTime, digitalClock->twentyFourHourMode };
    }
    const ClockMenuState menuState = ComputeClockMenuState(settings_, flags,
        digitalClock->showDayOfYear, translucencyProbe_(), state_.timeReferenceUsable == 1);
    return BuildClockMenu(menuState, this);
}

void CClockWnd::ShowContextMenu(QPoint screenPoint)
{
    if (screenPoint == QPoint(-1, -1))
        screenPoint = mapToGlobal(QPoint(5, 5));
    const std::unique_ptr<QMenu> menu = BuildContextMenu();
    if (QAction* chosen = menu->exec(screenPoint))
        OnCommand(chosen->data().toInt());
}

void CClockWnd::OnCommand(int commandId)
{
    switch (commandId) {
    case cmd::kSetPcClockNow:
        OnSetPcClockNow();
        break;
    case cmd::kAlwaysOnTop: {
        const bool on = setting(keys::kClockAlwayssOnTop, 0) != 0;
        setTopMost(!on);
        write(keys::kClockAlwayssOnTop, on ? 0 : 1);
        break;
    }
    case cmd::kHide:
        hide();
        write(keys::kDigitalClockEnabled, 0);
        break;
    case cmd::kBlue:
    case cmd::kGreen:
    case cmd::kRed: {
        const SegmentColors preset = *SegmentColorPreset(commandId);
        setSegmentColors(preset.active, preset.inactive, commandId);
        break;
    }
    case cmd::kCustomColor:
        onCustomColor();
        break;
    case cmd::kSetAnalogColor:
        onSetAnalogColor();
        break;
    case cmd::kLocalTime:
        onLocalTime(1);
        break;
    case cmd::kUtcTime:
        onLocalTime(0);
        break;
    case cmd::k24HourTime:
        on24HourTime();
        break;
    case cmd::kShowDayOfYear:
        onShowDayOfYear();
        break;
    case cmd::kTransparent:
        onTransparent();
        break;
    case cmd::kSetTransparency:
        onSetTransparency();
        break;
    case cmd::kAnalogClock:
        onClockType(1);
        break;
    case cmd::kDigitalClock:
        onClockType(0);
        break;
    case cmd::kHelpTopics:
        host_.ShowHelpTopics();
        break;
    case cmd::kProperties:
        host_.ShowProperties();
        break;
    default:
        break;
    }
}

void CClockWnd::OnSetPcClockNow()
{
    if (state_.timeReferenceUsable == 1)
        host_.SetPcClockNow();
}

void CClockWnd::setTopMost(bool on)
{
    // Changing the flag recreates the native window; keep it where and as large as it was.
    const QRect geometry = this->geometry();
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    setGeometry(geometry);
    if (visible)
        show();
}

void CClockWnd::setSegmentColors(ColorRef active, ColorRef inactive, int colorCommand)
{
    state_.clockActiveSegColor = active;
    state_.clockInactiveSegColor = inactive;
    digitalClock->SetSegmentColors(active, inactive);
    write(keys::kClockEnableSegColor, static_cast<int>(active));
    write(keys::kClockDisableSegColor, static_cast<int>(inactive));
    write(keys::kClockColor, colorCommand);
    SaveClockPosition();
    digitalClock->update();
}

void CClockWnd::onCustomColor()
{
    CClockColorDlg dialog(clock_, dialogOwner(), chooser_);
    dialog.activeColor = state_.clockActiveSegColor;
    dialog.inactiveColor = state_.clockInactiveSegColor;
    if (runDialog_(dialog) == QDialog::Accepted)
        setSegmentColors(dialog.activeColor, dialog.inactiveColor, cmd::kCustomColor);
}

void CClockWnd::onSetAnalogColor()
{
    CAnalogClockColorDlg dialog(clock_, dialogOwner(), chooser_);
    dialog.useSystemColors = setting(keys::kAnalogClockUseSystemColors, 1);
    dialog.faceColor = analogFaceColor;
    dialog.textColor = analogTextColor;
    dialog.handColor = analogHandColor;
    dialog.secondColor = analogSecondColor;
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    analogFaceColor = dialog.faceColor;
    analogTextColor = dialog.textColor;
    analogHandColor = dialog.handColor;
    analogSecondColor = dialog.secondColor;
    write(keys::kAnalogClockFaceColor, static_cast<int>(analogFaceColor));
    write(keys::kAnalogClockTextColor, static_cast<int>(analogTextColor));
    write(keys::kAnalogClockHandColor, static_cast<int>(analogHandColor));
    write(keys::kAnalogClockSecondColor, static_cast<int>(analogSecondColor));
    write(keys::kAnalogClockUseSystemColors, dialog.useSystemColors);
    LoadAnalogColors();
    analogClock->update();
}

void CClockWnd::onLocalTime(int local)
{
    write(keys::kLocalTime, local);
    const int type = clockType();
    if (type == 0)
        digitalClock->SetUseLocalTime(local);
    else if (type == 1)
        analogClock->SetUseLocalTime(local);
}

void CClockWnd::on24HourTime()
{
    // Only the control of the current type changes; the other keeps its mode until restart.
    const int type = clockType();
    if (type == 0) {
        digitalClock->Set24HourMode(digitalClock->twentyFourHourMode ? 0 : 1);
        write(keys::k24HourMode, digitalClock->twentyFourHourMode);
    } else if (type == 1) {
        analogClock->Set24HourMode(analogClock->twentyFourHourMode ? 0 : 1);
        write(keys::k24HourMode, analogClock->twentyFourHourMode);
    }
    update();
    digitalClock->update();
}

void CClockWnd::onShowDayOfYear()
{
    digitalClock->SetShowDayOfYear(digitalClock->showDayOfYear ? 0 : 1);
    write(keys::kEnableDOY, digitalClock->showDayOfYear);
    updateThickness();
    digitalClock->InvalidateWithErase();
}

void CClockWnd::onTransparent()
{
    write(keys::kTransparent, setting(keys::kTransparent, 0) ? 0 : 1);
    ApplyClockTransparency();
    invalidateWithErase();
}

void CClockWnd::onSetTransparency()
{
    CSetTransparencyDlg dialog(clock_, dialogOwner());
    dialog.alpha = setting(keys::kOpacit, 104);
    if (runDialog_(dialog) != QDialog::Accepted)
        return;
    write(keys::kOpacit, dialog.alpha);
    ApplyClockTransparency();
}

void CClockWnd::onClockType(int type)
{
    write(keys::kClockType, type);
    digitalClock->setVisible(type == 0);
    analogClock->setVisible(type == 1);
    invalidateWithErase();
}

void CClockWnd::invalidateWithErase()
{
    update();
    digitalClock->InvalidateWithErase();
    analogClock->update();
}

void CClockWnd::updateThickness()
{
    digitalClock->SetThickness(ClockWindowThickness(width(), digitalClock->showDayOfYear == 1));
}

QWidget* CClockWnd::dialogOwner()
{
    return host_.DialogOwner();
}

void CClockWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    digitalClock->setGeometry(rect());
    analogClock->setGeometry(rect());
    updateThickness();
    SaveClockPosition();
}

void CClockWnd::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != timerId_) {
        QWidget::timerEvent(event);
        return;
    }
    digitalClock->SetSegmentColors(state_.clockActiveSegColor, state_.clockInactiveSegColor);
}

void CClockWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (resizer_.Press(*event))
        return;
    dragAnchorArmed = 1;
    dragging = 1;
}

void CClockWnd::mouseMoveEvent(QMouseEvent* event)
{
    if (resizer_.Move(*event))
        return;
    if ((event->buttons() & Qt::LeftButton) && dragging == 1) {
        const QPoint global = event->globalPosition().toPoint();
        if (dragAnchorArmed == 1) {
            dragAnchorArmed = 0;
            dragAnchor = global - frameGeometry().topLeft();
        }
        move(global - dragAnchor);
    }
}

void CClockWnd::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    resizer_.Release();
    SaveClockPosition();
    dragging = 0;
}

void CClockWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        OnSetPcClockNow();
}

void CClockWnd::contextMenuEvent(QContextMenuEvent* event)
{
    ShowContextMenu(
        event->reason() == QContextMenuEvent::Keyboard ? QPoint(-1, -1) : event->globalPos());
}

void CClockWnd::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // A change of the system colours reaches the window as a palette change.
    const bool systemColors = event->type() == QEvent::PaletteChange
        || event->type() == QEvent::ApplicationPaletteChange;
    if (systemColors && analogClock != nullptr)
        LoadAnalogColors();
}

void CClockWnd::showEvent(QShowEvent* event)
{
    // Every show may come with a new native window (the always-on-top switch makes one).
    KeepOffTaskbar(*this);
    QWidget::showEvent(event);
}

} // namespace velarin
