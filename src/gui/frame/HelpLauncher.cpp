#include "gui/frame/HelpLauncher.h"

#include "engine/frame/HelpContexts.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

// Set by the build (see src/CMakeLists.txt).
#ifndef VELARIN_INSTALLED_HELP_DIR
#define VELARIN_INSTALLED_HELP_DIR "/usr/local/share/velarin/help"
#endif

namespace velarin {

QString HelpLauncher::HelpDirectory()
{
    const QString fromEnvironment = qEnvironmentVariable("VELARIN_HELP_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    const QDir bin(QCoreApplication::applicationDirPath());
    // Installed beside the program (or the build's copy beside src/), else where the build
    // installs it.
    for (const char* relative :
        { "../share/velarin/help", "../../share/velarin/help", VELARIN_INSTALLED_HELP_DIR }) {
        const QString candidate = QDir::cleanPath(bin.filePath(QString::fromLatin1(relative)));
        if (QFileInfo::exists(candidate + QStringLiteral("/index.html")))
            return candidate;
    }
    return QDir::cleanPath(bin.filePath(QStringLiteral("../share/velarin/help")));
}

QUrl HelpLauncher::HelpUrl(int context)
{
    const HelpTopic topic = HelpTopicFor(context);
    QUrl url = QUrl::fromLocalFile(HelpDirectory() + QLatin1Char('/')
        + QString::fromUtf8(topic.page.data(), topic.page.size()));
    if (!topic.anchor.empty())
        url.setFragment(QString::fromUtf8(topic.anchor.data(), topic.anchor.size()));
    return url;
}

bool HelpLauncher::OpenHelpContext(int context)
{
    const QUrl url = HelpUrl(context);
    if (!QFileInfo::exists(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace velarin
