#include "app/core/RunVelarin.h"

#include "app/core/AppOptions.h"
#include "app/core/ClockedMainFrame.h"
#include "app/core/DemoReceiver.h"
#include "app/core/DemoSettings.h"
#include "app/core/GuiStartup.h"
#include "app/core/ProgramSystemLog.h"
#include "app/core/QuitOnSignal.h"
#include "app/core/VelarinApp.h"
#include "base/Calendar.h"
#include "engine/nettime/TimeServerList.h"
#include "engine/settings/SettingsKeys.h"
#include "gui/ui/QtUserNotifier.h"
#include "platform/QtSettingsStore.h"
#include "platform/SingleInstance.h"
#include "platform/StderrUserNotifier.h"
#include "platform/linux/LinuxConnectivity.h"
#include "platform/linux/LinuxNetworkSockets.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "platform/linux/LinuxSystemClock.h"
#include "platform/linux/LinuxThreadPriority.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>

namespace velarin {

namespace {

constexpr double kDemoRatePpm = 37.0;

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

// Each setting the demo would make, with its error against true time.
void printDemoSetting(const SimulatedSystemClock::SetRequest& request)
{
    const SystemTime& t = request.requested;
    const auto target = ToUnixMilliseconds(t);
    const double errorMs
        = target ? static_cast<double>(*target * 1000 - request.trueUtcMicroseconds) / 1000.0 : 0.0;
    std::fprintf(stderr,
        "velarin: demo: would set the clock to %04d-%02d-%02d %02d:%02d:%02d.%03d UTC "
        "(error %+.3f ms)%s\n",
        t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds, errorMs,
        request.accepted ? "" : " - refused");
    std::fflush(stderr);
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

    // The single-instance check comes before anything is started or written: a second copy
    // only hands over to the first (which shows its properties) and ends.
    SingleInstance instance(settingsPath);
    switch (instance.Claim()) {
    case SingleInstance::Outcome::OtherNotified:
        return 0;
    case SingleInstance::Outcome::Failed:
        std::fprintf(stderr, "velarin: cannot check for another running copy\n");
        break;
    case SingleInstance::Outcome::First:
        break;
    }

    // A demo store is filled only when new, so a second copy never writes into the first's.
    const bool freshStore = !QFileInfo::exists(settingsPath);
    QtSettingsStore settings(settingsPath);
    const bool gui = !options.headless && qobject_cast<QApplication*>(application.get());
    StderrUserNotifier stderrNotifier(applicationName.toStdString());
    QtUserNotifier boxNotifier;
    UserNotifier& notifier = gui ? static_cast<UserNotifier&>(boxNotifier) : stderrNotifier;
    LinuxSerialDevice serialDevice;
    // Outlives the application object, whose worker may still be writing to it.
    ProgramSystemLog systemLog;
    CVelarinApp app(settings, notifier, serialDevice, applicationName.toStdString());
    app.SerialPort().SetDeviceOverride(options.serialDevice.toStdString());
    app.systemLog = &systemLog.Log();
    // The application's own look for a running copy finds none: the claim above was first.

    // The demo never touches the machine's clock: a simulated one, started a few seconds wrong
    // so that the first setting shows, records what would be set.
    std::unique_ptr<SystemClock> clock;
    DemoReceiver demoReceiver;
    if (options.demo) {
        // A receiver given on the command line replaces the simulated one (a test may give a
        // silent or missing one).
        const QString device
            = options.serialDevice.isEmpty() ? demoReceiver.Start() : options.serialDevice;
        if (device.isEmpty())
            return 1;
        if (freshStore) {
            PreseedDemoSettings(settings, options.firstRun, true);
            settings.WriteProfileInt(keys::kSettings, keys::kTimeUpdateRate, 1);
        }
        app.SerialPort().SetDeviceOverride(device.toStdString());
        auto simulated = std::make_unique<SimulatedSystemClock>();
        simulated->SetOffsetMicroseconds(2'345'678);
        // A typical PC oscillator's error, so that the rate correction has something to learn.
        simulated->SetRateError(kDemoRatePpm);
        simulated->SetObserver(printDemoSetting);
        clock = std::move(simulated);
        std::fprintf(stderr,
            "velarin: demo: simulated receiver on %s; simulated clock %+.3f ms off, running "
            "%+.0f ppm fast; a setting every minute once locked\n",
            qPrintable(device), 2345.678, kDemoRatePpm);
    } else {
        clock = std::make_unique<LinuxSystemClock>();
    }
    app.loadCurrentTimeServer
        = [&settings, &clock] { return LoadCurrentTimeServer(settings, clock->GetTickCount()); };
    LinuxThreadPriority priority;
    LinuxConnectivity connectivity;
    LinuxNetworkSockets sockets;
    ClockSettingCore* core = nullptr;
    std::unique_ptr<GuiStartup> guiStartup;
    if (gui) {
        guiStartup = std::make_unique<GuiStartup>(app, *clock, priority, connectivity);
        app.createMainFrame = [&](CVelarinApp& owner) {
            auto frame = guiStartup->CreateMainFrame(owner, core);
            if (core)
                core->UseNetworkClients(sockets);
            return frame;
        };
    } else {
        app.createMainFrame = [&](CVelarinApp& owner) -> std::unique_ptr<MainFrame> {
            auto frame = std::make_unique<ClockedMainFrame>(owner, *clock, priority, connectivity);
            frame->Core().UseNetworkClients(sockets);
            core = &frame->Core();
            return frame;
        };
    }

    if (!app.InitInstance())
        return app.ExitCode();
    // Only the copy that runs opens it: a second copy must not empty the first one's file.
    systemLog.OpenAtStartup(options.systemLog.toStdString());
    QObject::connect(&instance, &SingleInstance::ShowPropertiesRequested, [&app] {
        if (MainFrame* frame = app.GetMainFrame())
            frame->OnShowPropertiesRequest();
    });
    // In the demo the first setting is asked for as soon as the receiver is locked, as the
    // user would with "Set PC Clock Now", instead of waiting for the next minute.
    QTimer demoFirstSetting;
    if (options.demo && core) {
        demoFirstSetting.setInterval(200);
        QObject::connect(&demoFirstSetting, &QTimer::timeout, [&] {
            if (app.State().timeReferenceUsable.load() == 1) {
                core->SetPcClockNow();
                demoFirstSetting.stop();
            }
        });
        demoFirstSetting.start();
    }

    QuitOnSignal quitOnSignal;
    std::fprintf(stderr, "velarin: running (settings %s)\n", qPrintable(settings.FilePath()));
    std::fflush(stderr);
    const int result = QCoreApplication::exec();
    app.ExitInstance();
    return result;
}

} // namespace velarin
