#include "gui/frame/TrayIconImages.h"

#include "gui/GuiResources.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace velarin {
namespace {

QString SourceFor(int iconId)
{
    return QStringLiteral(":/icons/tray-%1.svg").arg(iconId);
}

QImage RenderSvg(const QString& path, int pixels)
{
    EnsureGuiResources();
    if (!QFile::exists(path))
        return {};
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

QIcon IconFrom(const QString& path)
{
    QIcon icon;
    for (int size : { 16, 22, 24, 32, 48, 64 }) {
        const QImage image = RenderSvg(path, size);
        if (image.isNull())
            return {};
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

QIcon TrayIconImages::Icon(int iconId)
{
    return IconFrom(SourceFor(iconId));
}

QIcon TrayIconImages::ApplicationIcon()
{
    return IconFrom(QStringLiteral(":/icons/velarin.svg"));
}

} // namespace velarin
