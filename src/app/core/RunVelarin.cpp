#include "app/core/RunVelarin.h"

#include "app/core/AppOptions.h"
#include "app/core/ProgramSystemLog.h"
#include "app/core/QuitOnSignal.h"
#include "app/core/VelarinApp.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/QtSettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/StderrUserNotifier.h"
#include "platform/linux/LinuxSerialDevice.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

namespace velarin {

namespace {

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    if (AppOptions::WantsNoDisplay(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    // The tray, clock and properties windows need a display; without one the program would
    // abort inside Qt, so it says what to do instead.
    if (!displayAvailable()) {
        std::fprintf(stderr, "velarin: no display found; use --headless to run without one\n");
        return nullptr;
    }
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int RunVelarin(int argc, char** argv)
{
    auto application = makeApplication(argc, argv);
    if (!application)
        return 1;
    QCoreApplication::setApplicationVersion(QStringLiteral(VELARIN_VERSION));
    const AppOptions options = AppOptions::Parse(*application);
    const QString applicationName = QCoreApplication::applicationName();

    QTemporaryDir demoDir;
    QString settingsPath;
    if (options.demo) {
        if (!demoDir.isValid()) {
            std::fprintf(stderr, "velarin: cannot create a folder for the demo settings\n");
            return 1;
        }
        settingsPath = QtSettingsStore::FilePathInDirectory(demoDir.path(), applicationName);
    } else if (!options.settingsDir.isEmpty()) {
        settingsPath = QtSettingsStore::FilePathInDirectory(options.settingsDir, applicationName);
    } else {
        settingsPath = QtSettingsStore::DefaultFilePath(applicationName);
    }

    QtSettingsStore settings(settingsPath);
    StderrUserNotifier notifier(applicationName.toStdString());
    LinuxSerialDevice serialDevice;
    SingleInstance instance(settingsPath);
    // Outlives the application object, whose worker may still be writing to it.
    ProgramSystemLog systemLog;
    CVelarinApp app(settings, notifier, serialDevice, applicationName.toStdString());
    app.SerialPort().SetDeviceOverride(options.serialDevice.toStdString());
    app.systemLog = &systemLog.Log();
    app.anotherCopyNotified = [&instance] {
        switch (instance.Claim()) {
        case SingleInstance::Outcome::OtherNotified:
            return true;
        case SingleInstance::Outcome::Failed:
            std::fprintf(stderr, "velarin: cannot check for another running copy\n");
            return false;
        case SingleInstance::Outcome::First:
            return false;
        }
        return false;
    };

    if (options.demo) {
        // Until the simulated receiver exists the demo takes time from the network reference,
        // so no serial device is opened.
        settings.WriteProfileInt(keys::kSettings, keys::kUseNetworkTime, 1);
        std::fprintf(stderr,
            "velarin: demo: the simulated GPS receiver is not there yet; running headless with "
            "the network reference and throw-away settings\n");
    }

    if (!app.InitInstance())
        return app.ExitCode();
    // Only the copy that runs opens it: a second copy must not empty the first one's file.
    systemLog.OpenAtStartup(options.systemLog.toStdString());
    QObject::connect(&instance, &SingleInstance::ShowPropertiesRequested, [&app] {
        if (MainFrame* frame = app.GetMainFrame())
            frame->OnShowPropertiesRequest();
    });
    if (!options.headless && !options.demo) {
        // The tray, clock and properties windows come with the user interface; until then a run
        // with a display behaves like a headless one.
        std::fprintf(
            stderr, "velarin: the tray interface is not built yet; running without windows\n");
    }

    QuitOnSignal quitOnSignal;
    std::fprintf(stderr, "velarin: running (settings %s)\n", qPrintable(settings.FilePath()));
    std::fflush(stderr);
    const int result = QCoreApplication::exec();
    app.ExitInstance();
    return result;
}

} // namespace velarin
