#include "gui/ui/OkOnlyDialog.h"

#include "gui/GuiResources.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QSvgRenderer>

namespace velarin {

OkOnlyDialog::OkOnlyDialog(QWidget* parent)
    : QDialog(parent)
{
}

void OkOnlyDialog::reject() { }

void OkOnlyDialog::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

QLabel* OkOnlyDialog::MakePicture(const QString& resource, QSize size, QWidget* parent)
{
    EnsureGuiResources();
    auto* label = new QLabel(parent);
    const qreal ratio = parent ? parent->devicePixelRatioF() : 1.0;
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    label->setPixmap(pixmap);
    label->setFixedSize(size);
    return label;
}

} // namespace velarin
