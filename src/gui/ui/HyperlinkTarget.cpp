#include "gui/ui/HyperlinkTarget.h"

#include "engine/ui/HyperlinkLayout.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace velarin {

QUrl HyperlinkUrl(const QString& target)
{
    const QString trimmed = target.trimmed();
    if (trimmed.isEmpty())
        return {};
    if (trimmed.startsWith(QLatin1Char('/')))
        return QUrl::fromLocalFile(trimmed);
    const QUrl url(trimmed, QUrl::TolerantMode);
    if (url.isValid() && !url.scheme().isEmpty())
        return url;
    // No scheme: a file name relative to where the program runs. Made absolute so that the
    // opener never sees something that looks like one of its own options.
    return QUrl::fromLocalFile(QFileInfo(trimmed).absoluteFilePath());
}

int OpenHyperlinkTarget(const QString& target)
{
    const QUrl url = HyperlinkUrl(target);
    if (url.isEmpty() || !url.isValid())
        return link_result::kFileNotFound;
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (!file.exists())
            return QFileInfo(file.absolutePath()).isDir() ? link_result::kFileNotFound
                                                          : link_result::kPathNotFound;
        if (!file.isReadable())
            return link_result::kAccessDenied;
    }
    return QDesktopServices::openUrl(url) ? link_result::kOpened : link_result::kNoAssociation;
}

} // namespace velarin
