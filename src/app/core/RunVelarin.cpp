#include "app/core/RunVelarin.h"

#include "app/core/AppOptions.h"
#include "app/core/ClockedMainFrame.h"
#include "app/core/DemoReceiver.h"
#include "app/core/QuitOnSignal.h"
#include "app/core/VelarinApp.h"
#include "engine/Calendar.h"
#include "engine/nettime/TimeServerList.h"
#include "engine/settings/SettingsKeys.h"
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
#include <QTemporaryDir>
#include <QTimer>
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
    CVelarinApp app(settings, notifier, serialDevice, applicationName.toStdString());
    app.SerialPort().SetDeviceOverride(options.serialDevice.toStdString());
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

    // The demo never touches the machine's clock: a simulated one, started a few seconds wrong
    // so that the first setting shows, records what would be set.
    std::unique_ptr<SystemClock> clock;
    DemoReceiver demoReceiver;
    if (options.demo) {
        const QString device = demoReceiver.Start();
        if (device.isEmpty())
            return 1;
        settings.WriteProfileInt(keys::kSettings, keys::kUseNetworkTime, 0);
        settings.WriteProfileInt(keys::kSettings, keys::kTimeUpdateRate, 1);
        app.SerialPort().SetDeviceOverride(device.toStdString());
        auto simulated = std::make_unique<SimulatedSystemClock>();
        simulated->SetOffsetMicroseconds(2'345'678);
        simulated->SetObserver(printDemoSetting);
        clock = std::move(simulated);
        std::fprintf(stderr,
            "velarin: demo: simulated receiver on %s; simulated clock %+.3f ms off; a setting "
            "every minute once locked\n",
            qPrintable(device), 2345.678);
    } else {
        clock = std::make_unique<LinuxSystemClock>();
    }
    app.loadCurrentTimeServer
        = [&settings, &clock] { return LoadCurrentTimeServer(settings, clock->GetTickCount()); };
    LinuxThreadPriority priority;
    LinuxConnectivity connectivity;
    LinuxNetworkSockets sockets;
    ClockedMainFrame* clockedFrame = nullptr;
    app.createMainFrame = [&](CVelarinApp& owner) -> std::unique_ptr<MainFrame> {
        auto frame = std::make_unique<ClockedMainFrame>(owner, *clock, priority, connectivity);
        frame->Core().UseNetworkClients(sockets);
        clockedFrame = frame.get();
        return frame;
    };

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

    // In the demo the first setting is asked for as soon as the receiver is locked, as the
    // user would with "Set PC Clock Now", instead of waiting for the next minute.
    QTimer demoFirstSetting;
    if (options.demo && clockedFrame) {
        demoFirstSetting.setInterval(200);
        QObject::connect(&demoFirstSetting, &QTimer::timeout, [&] {
            if (app.State().timeReferenceUsable.load() == 1) {
                clockedFrame->Core().SetPcClockNow();
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
