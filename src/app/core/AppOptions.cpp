#include "app/core/AppOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstring>

namespace velarin {

AppOptions AppOptions::Parse(QCoreApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Keeps this PC's clock on true time from a GPS receiver or a network time server."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption systemLog(QStringLiteral("system-log"),
        QStringLiteral("Write the system log (the clock-setting steps, one line each, stamped in "
                       "UTC) to FILE from start-up; an existing file is replaced."),
        QStringLiteral("FILE"));
    parser.addOption(systemLog);
    const QCommandLineOption settingsDir(QStringLiteral("settings-dir"),
        QStringLiteral("Keep the settings file in DIR instead of the per-user location."),
        QStringLiteral("DIR"));
    const QCommandLineOption headless(QStringLiteral("headless"),
        QStringLiteral("Run without a display: no tray icon and no windows; messages go to "
                       "stderr."));
    const QCommandLineOption serialDevice(QStringLiteral("serial-device"),
        QStringLiteral("Use the serial device PATH for the GPS receiver during this run (not "
                       "stored)."),
        QStringLiteral("PATH"));
    const QCommandLineOption demo(QStringLiteral("demo"),
        QStringLiteral("Run a demonstration with throw-away settings; the real clock is never "
                       "set."));
    const QCommandLineOption firstRun(QStringLiteral("first-run"),
        QStringLiteral("With --demo: start as a newcomer, with the first-time configuration and "
                       "the tray-bar notice."));
    parser.addOptions({ settingsDir, headless, serialDevice, demo, firstRun });
    parser.process(app);

    AppOptions options;
    options.systemLog = parser.value(systemLog);
    options.settingsDir = parser.value(settingsDir);
    options.serialDevice = parser.value(serialDevice);
    options.headless = parser.isSet(headless);
    options.demo = parser.isSet(demo);
    options.firstRun = parser.isSet(firstRun);
    return options;
}

bool AppOptions::WantsNoDisplay(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option :
            { "--headless", "--help", "-h", "--help-all", "--version", "-v" }) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace velarin
