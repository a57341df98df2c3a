#include "gui/frame/ClockWindowAdapter.h"

#include "engine/clocks/ClockCommands.h"
#include "engine/frame/TrayMenu.h"
#include "gui/clocks/ClockMenu.h"
#include "gui/clocks/ClockWnd.h"

#include <QContextMenuEvent>
#include <QMenu>

namespace velarin {

ClockWindowAdapter::ClockWindowAdapter(CClockWnd* window, std::function<void()> onExit)
    : window_(window)
    , onExit_(std::move(onExit))
{
    window_->installEventFilter(this);
}

ClockWindowAdapter::~ClockWindowAdapter()
{
    delete window_;
}

void ClockWindowAdapter::ShowClock()
{
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void ClockWindowAdapter::HideClock()
{
    window_->hide();
}

bool ClockWindowAdapter::IsClockVisible() const
{
    return window_->isVisible();
}

void ClockWindowAdapter::ResetClockPosition()
{
    window_->setGeometry(0, 0, 300, 100);
    window_->update();
    ShowClock();
}

void ClockWindowAdapter::SaveClockPosition()
{
    window_->SaveClockPosition();
}

void ClockWindowAdapter::RefreshHoverText()
{
    window_->RefreshHoverText();
}

bool ClockWindowAdapter::eventFilter(QObject* watched, QEvent* event)
{
    if (noTray_ && watched == window_ && event->type() == QEvent::ContextMenu) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        showNoTrayMenu(menuEvent->reason() == QContextMenuEvent::Keyboard
                ? window_->mapToGlobal(QPoint(5, 5))
                : menuEvent->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ClockWindowAdapter::showNoTrayMenu(QPoint screenPoint)
{
    const std::unique_ptr<QMenu> menu = window_->BuildContextMenu();
    if (QAction* hide = FindClockMenuAction(*menu, cmd::kHide))
        hide->setEnabled(false);
    menu->addSeparator();
    QAction* exit = menu->addAction(QStringLiteral("&Exit"));
    exit->setData(cmd::kAppExit);
    // The choice is taken from the menu's signal (it also covers the submenus); exit is acted
    // on only after the menu has closed.
    bool exitChosen = false;
    connect(menu.get(), &QMenu::triggered, this, [this, exit, &exitChosen](QAction* chosen) {
        if (chosen == exit)
            exitChosen = true;
        else
            window_->OnCommand(chosen->data().toInt());
    });
    menu->exec(screenPoint);
    if (exitChosen)
        onExit_();
}

} // namespace velarin
