#include "gui/frame/StandInClockWindow.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace velarin {

StandInClockWindow::StandInClockWindow(QMenu* menu, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint)
    , menu_(menu)
    , time_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Clock"));
    setObjectName(QStringLiteral("clockWindow"));
    time_->setAlignment(Qt::AlignCenter);
    QFont font = time_->font();
    font.setPixelSize(40);
    font.setBold(true);
    time_->setFont(font);
    time_->setStyleSheet(QStringLiteral("background: black; color: #00ff00;"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(time_);
    setGeometry(0, 0, 300, 100);
}

void StandInClockWindow::ShowClock()
{
    show();
    raise();
    activateWindow();
}

void StandInClockWindow::HideClock()
{
    hide();
}

bool StandInClockWindow::IsClockVisible() const
{
    return isVisible();
}

void StandInClockWindow::ResetClockPosition()
{
    setGeometry(0, 0, 300, 100);
    update();
    ShowClock();
}

void StandInClockWindow::UpdateHoverText(const SystemTime& local, const SystemTime&)
{
    time_->setText(QStringLiteral("%1:%2:%3")
                       .arg(local.hour, 2, 10, QLatin1Char('0'))
                       .arg(local.minute, 2, 10, QLatin1Char('0'))
                       .arg(local.second, 2, 10, QLatin1Char('0')));
}

void StandInClockWindow::contextMenuEvent(QContextMenuEvent* event)
{
    if (menu_)
        menu_->popup(event->globalPos());
}

} // namespace velarin
