#pragma once

#include <QString>
#include <QUrl>

namespace velarin {

// Opens the HTML help in the user's browser at a context number.
class HelpLauncher {
public:
    // The folder holding index.html: $VELARIN_HELP_DIR, else share/velarin/help beside the
    // program's bin folder (installed, or the copy the build keeps next to src/), else where the
    // build installs it.
    static QString HelpDirectory();
    static QUrl HelpUrl(int context);
    // false when the help folder is missing or no browser took the address.
    static bool OpenHelpContext(int context);
};

} // namespace velarin
