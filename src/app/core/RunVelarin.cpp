#include "app/core/RunVelarin.h"

#include "app/core/AppOptions.h"
#include "app/core/DemoSettings.h"
#include "app/core/GuiStartup.h"
#include "app/core/QuitOnSignal.h"
#include "app/core/VelarinApp.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/QtSettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/StderrUserNotifier.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "gui/ui/QtUserNotifier.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <memory>

namespace velarin {

namespace {

bool displayAvailable()
{
    return !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

bool isDemo(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--demo") == 0)
            return true;
    }
    return false;
}

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    if (AppOptions::WantsNoDisplay(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    // The demo runs wherever it is started: with its windows on a display, headless without.
    if (!displayAvailable() && isDemo(argc, argv))
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
    if (options.demo && options.settingsDir.isEmpty()) {
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

    // A demo store is filled only when new, so a second copy never writes into the first's.
    const bool freshStore = !QFileInfo::exists(settingsPath);
    QtSettingsStore settings(settingsPath);
    const bool gui = !options.headless && qobject_cast<QApplication*>(application.get());
    StderrUserNotifier stderrNotifier(applicationName.toStdString());
    QtUserNotifier boxNotifier;
    UserNotifier& notifier = gui ? static_cast<UserNotifier&>(boxNotifier) : stderrNotifier;
    LinuxSerialDevice serialDevice;
    SingleInstance instance(settingsPath);
    CVelarinApp app(settings, notifier, serialDevice, applicationName.toStdString());
    const bool haveReceiver = !options.serialDevice.isEmpty();
    app.SerialPort().SetDeviceOverride(options.demo && !haveReceiver
            ? std::string(kDemoNoReceiverDevice)
            : options.serialDevice.toStdString());
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
        if (freshStore)
            PreseedDemoSettings(settings, options.firstRun, haveReceiver);
        std::fprintf(stderr, "velarin: demo with throw-away settings; the real clock is never set\n");
    }
    // The clock the windows show and the clock-setting path use. Only the simulated one for
    // now: nothing in this program sets the real clock yet.
    SimulatedSystemClock systemClock;
    std::unique_ptr<GuiStartup> guiStartup;
    if (gui)
        guiStartup = std::make_unique<GuiStartup>(app, systemClock);

    if (!app.InitInstance())
        return app.ExitCode();
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
