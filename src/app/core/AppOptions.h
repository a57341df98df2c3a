#pragma once

#include <QString>

class QCoreApplication;

namespace velarin {

// The command line of velarin.
struct AppOptions {
    QString systemLog; // empty: the system log starts off
    QString settingsDir; // empty: the per-user location
    QString serialDevice; // empty: from the settings
    bool headless = false;
    bool demo = false;
    bool firstRun = false; // with --demo: a newcomer's start

    // Parses the application's arguments; --help, --version and errors print and end the process.
    static AppOptions Parse(QCoreApplication& app);
    // Looked up before the application object exists: whether the run needs no display (the
    // demo uses one when there is one).
    static bool WantsNoDisplay(int argc, char** argv);
};

} // namespace velarin
