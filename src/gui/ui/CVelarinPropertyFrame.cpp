#include "gui/ui/CVelarinPropertyFrame.h"

#include "gui/ui/CVelarinPropertySheet.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace velarin {

CVelarinPropertyFrame::CVelarinPropertyFrame(PropertySheetContext& context, QWidget* parent)
    : QWidget(parent,
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , sheet_(new CVelarinPropertySheet(context, this))
{
    setObjectName(QStringLiteral("CVelarinPropertyFrame"));
    setWindowTitle(QStringLiteral("Velarin Properties"));
    // The window is the sheet: its size decides the frame's, and nothing else is in it.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(sheet_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CVelarinPropertyFrame::closeEvent(QCloseEvent* event)
{
    // A closed top-level window is only hidden (it is not deleted on close); accepting the
    // close keeps the program's own quit, which closes every window first, from being refused.
    hide();
    event->accept();
}

CVelarinPropertyFrame* CVelarinPropertyFrame::ShowProperties(
    CVelarinPropertyFrame* frame, PropertySheetContext& context, QWidget* parent)
{
    if (frame == nullptr) {
        frame = new CVelarinPropertyFrame(context, parent);
        frame->adjustSize();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect geometry = frame->frameGeometry();
            geometry.moveCenter(screen->availableGeometry().center());
            frame->move(geometry.topLeft());
        }
    }
    if (!frame->isVisible())
        frame->show();
    frame->raise();
    frame->activateWindow();
    return frame;
}

} // namespace velarin
