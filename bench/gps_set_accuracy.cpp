// How exactly a GPS setting lands: the simulated receiver (velarin-tool simulate-gps) on a
// pseudo-terminal sends each second L ms after the true second; the real heartbeat, decoder and
// set-time worker set a simulated clock (the machine's clock is never touched). The error of
// one setting is (time requested) - (true UTC at the call).
//
//   gps_set_accuracy [--settings N] [--latency-ms L] [--no-notify] [--pps]
//                    [--pps-line cts|dsr|dcd] [--pps-kernel] [--talker GN]
//
// --no-notify reads the serial link on the 50 ms tick only; --pps adds simulated 1PPS edges
// on the --pps-line (CTS unless named) at every true second (10 ms pulses) and sets on them.
// --pps-kernel puts the pulse on DCD with a simulated kernel PPS source that stamps each edge
// as it is raised, and sets from those stamps. --talker GN makes the receiver a multi-system
// one (GP otherwise, for figures comparable with older runs). The last line is JSON.
#include "app/core/ChildEndsWithParent.h"
#include "app/core/ClockSettingCore.h"
#include "app/core/VelarinApp.h"
#include "base/Calendar.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/StderrUserNotifier.h"
#include "platform/linux/LinuxSerialDevice.h"
#include "platform/linux/LinuxThreadPriority.h"
#include "platform/sim/SimulatedSerialDevice.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>
#include <sys/prctl.h>
#include <thread>
#include <vector>

using namespace velarin;

namespace {

class AssumedConnectivity : public Connectivity {
public:
    bool IsInternetConnected() override { return true; }
};

// The pseudo-terminal for the bytes, a simulated device for the modem lines (a pty has none).
class PpsEdgeDevice : public SerialDevice {
public:
    PpsEdgeDevice(SerialDevice& bytes, SimulatedSerialDevice& lines)
        : bytes_(bytes)
        , lines_(lines)
    {
    }
    int Open(const std::string& path) override { return bytes_.Open(path); }
    bool IsOpen() const override { return bytes_.IsOpen(); }
    int Close() override { return bytes_.Close(); }
    bool GetLineSettings() override { return bytes_.GetLineSettings(); }
    bool SetLineSettings(int baud, int parity, int dataBits, int stopBits) override
    {
        return bytes_.SetLineSettings(baud, parity, dataBits, stopBits);
    }
    long Read(uint8_t* buffer, size_t size) override { return bytes_.Read(buffer, size); }
    void ClearErrors() override { bytes_.ClearErrors(); }
    int ReadableHandle() const override { return bytes_.ReadableHandle(); }
    bool SetEventMask(uint32_t mask) override { return lines_.SetEventMask(mask); }
    LineEventResult WaitLineEvent(int timeoutMs) override
    {
        return lines_.WaitLineEvent(timeoutMs);
    }
    bool GetModemStatus(uint32_t& status) override { return lines_.GetModemStatus(status); }
    void CancelWaits() override { lines_.CancelWaits(); }
    std::string ArmKernelPps() override { return lines_.ArmKernelPps(); }
    LineEventResult WaitKernelPps(PpsEdge edge, int timeoutMs, int64_t& stamp) override
    {
        return lines_.WaitKernelPps(edge, timeoutMs, stamp);
    }

private:
    SerialDevice& bytes_;
    SimulatedSerialDevice& lines_;
};

void sleepUntil(int64_t realtimeNs)
{
    timespec at {};
    at.tv_sec = static_cast<time_t>(realtimeNs / 1000000000);
    at.tv_nsec = static_cast<long>(realtimeNs % 1000000000);
    while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &at, nullptr) == EINTR) { }
}

int64_t realtimeNs()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool lineByName(const char* name, uint32_t& line)
{
    const std::pair<const char*, uint32_t> lines[]
        = { { "cts", kLineEventCts }, { "dsr", kLineEventDsr }, { "dcd", kLineEventDcd } };
    for (const auto& [lineName, mask] : lines) {
        if (!std::strcmp(name, lineName)) {
            line = mask;
            return true;
        }
    }
    return false;
}

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const size_t index
        = std::min(values.size() - 1, static_cast<size_t>(std::ceil(p * values.size())) - 1);
    return values[index];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    int settingsWanted = 30;
    int latencyMs = 50;
    bool notify = true;
    bool pps = false;
    bool kernel = false;
    uint32_t ppsLine = kLineEventCts;
    QString talker = QStringLiteral("GP");
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--settings") && i + 1 < argc)
            settingsWanted = std::max(1, std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--latency-ms") && i + 1 < argc)
            latencyMs = std::clamp(std::atoi(argv[++i]), 0, 999);
        else if (!std::strcmp(argv[i], "--no-notify"))
            notify = false;
        else if (!std::strcmp(argv[i], "--pps"))
            pps = true;
        else if (!std::strcmp(argv[i], "--pps-kernel"))
            pps = kernel = true;
        else if (!std::strcmp(argv[i], "--pps-line") && i + 1 < argc
            && lineByName(argv[i + 1], ppsLine))
            ++i;
        else if (!std::strcmp(argv[i], "--talker") && i + 1 < argc
            && (!std::strcmp(argv[i + 1], "GN") || !std::strcmp(argv[i + 1], "GP")))
            talker = QString::fromLatin1(argv[++i]);
        else {
            std::fprintf(stderr,
                "usage: gps_set_accuracy [--settings N] [--latency-ms L] [--no-notify] [--pps]\n"
                "                        [--pps-line cts|dsr|dcd] [--pps-kernel] [--talker GN]\n");
            return 2;
        }
    }
    if (kernel)
        ppsLine = kLineEventDcd; // the PPS line discipline stamps the carrier line

    QProcess receiver;
    EndChildWithThisProcess(receiver);
    receiver.start(QStringLiteral(VELARIN_TOOL_PATH),
        { QStringLiteral("simulate-gps"), QStringLiteral("--pty"), QStringLiteral("--talker"),
            talker, QStringLiteral("--latency-ms"), QString::number(latencyMs) });
    if (!receiver.waitForStarted(5000)) {
        std::fprintf(stderr, "cannot start %s\n", VELARIN_TOOL_PATH);
        return 1;
    }
    while (!receiver.canReadLine() && receiver.waitForReadyRead(5000)) { }
    const std::string path = receiver.readLine().trimmed().toStdString();

    MemorySettingsStore settings;
    StderrUserNotifier notifier("gps_set_accuracy");
    LinuxSerialDevice serial;
    SimulatedSerialDevice lines;
    lines.Open("simulated-1pps");
    PpsEdgeDevice device(serial, lines);
    CVelarinApp app(settings, notifier, device, "gps_set_accuracy");
    app.SerialPort().SetDeviceOverride(path);
    if (app.SerialPort().Open(1, 4800, 0, 8, 0) != 0)
        return 1;
    AppState& state = app.State();
    state.useNetworkTime = 0;
    state.useTimrFrom = 1;
    if (pps) {
        // The edge is the second itself: no latency to make up for.
        state.onePpsInput = 1;
        settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, 0);
        settings.WriteProfileInt(keys::kSettings, keys::kOnePpsPolarity, 1);
        settings.WriteProfileInt(keys::kSettings, keys::kLine, static_cast<int>(ppsLine));
    } else {
        settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, latencyMs);
    }

    std::atomic<bool> stopEdges { false };
    // The true time of the edge being raised. A kernel stamps an edge in its interrupt,
    // microseconds after it happens, not when a thread gets round to it: the simulated source
    // stamps the PC clock's reading at this time, not at the late moment the edge thread raises it.
    std::atomic<int64_t> edgeTrueNs { 0 };
    std::thread edges;
    if (pps) {
        edges = std::thread([&] {
            // A punctual pulse: no timer slack on this thread's sleeps.
            prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
            while (!stopEdges) {
                const int64_t next = (realtimeNs() / 1000000000 + 1) * 1000000000;
                edgeTrueNs = next;
                sleepUntil(next);
                lines.RaiseLineEdge(ppsLine, true);
                edgeTrueNs = next + 10000000;
                sleepUntil(next + 10000000);
                lines.RaiseLineEdge(ppsLine, false);
            }
        });
    }

    SimulatedSystemClock clock;
    if (kernel)
        lines.KernelPps().Plug(
            "/dev/pps-simulated", [&] { return edgeTrueNs / 1000 + clock.OffsetMicroseconds(); });
    std::mutex mutex;
    std::vector<double> errors;
    clock.SetObserver([&](const SimulatedSystemClock::SetRequest& request) {
        const auto target = ToUnixMilliseconds(request.requested);
        if (!target)
            return;
        const double error
            = static_cast<double>(*target * 1000 - request.trueUtcMicroseconds) / 1000.0;
        std::lock_guard lock(mutex);
        errors.push_back(error);
        std::printf("setting %zu: error %+.3f ms\n", errors.size(), error);
        std::fflush(stdout);
    });
    LinuxThreadPriority priority;
    AssumedConnectivity connectivity;
    ClockSettingCore core(app, clock, priority, connectivity);
    core.Driver().SetReadOnNotify(notify);
    core.Start();

    QTimer next;
    next.setInterval(20);
    QObject::connect(&next, &QTimer::timeout, [&] {
        size_t done = 0;
        {
            std::lock_guard lock(mutex);
            done = errors.size();
        }
        if (done >= static_cast<size_t>(settingsWanted)) {
            QCoreApplication::quit();
            return;
        }
        if (state.timeReferenceUsable.load() == 1 && !core.Worker().IsSetTimeBusy())
            core.SetPcClockNow();
    });
    next.start();
    QTimer::singleShot(settingsWanted * 4000 + 20000, [] { QCoreApplication::exit(1); });
    std::printf("mode: %s, latency %d ms, pseudo-terminal %s\n",
        kernel    ? "1PPS kernel stamps"
            : pps ? "1PPS line edges"
                  : (notify ? "notifier + 50 ms tick" : "50 ms tick only"),
        latencyMs, path.c_str());
    std::fflush(stdout);
    const int result = QCoreApplication::exec();

    core.Worker().StopSetTimeThread();
    stopEdges = true;
    if (edges.joinable())
        edges.join();
    receiver.terminate();
    receiver.waitForFinished(2000);

    std::lock_guard lock(mutex);
    if (errors.empty()) {
        std::printf("{\"settings\":0,\"error\":\"no setting was made\"}\n");
        return 1;
    }
    std::vector<double> absolute;
    for (double e : errors)
        absolute.push_back(std::fabs(e));
    std::printf("{\"settings\":%zu,\"p50_ms\":%.3f,\"p99_ms\":%.3f,\"max_abs_ms\":%.3f}\n",
        errors.size(), percentile(absolute, 0.5), percentile(absolute, 0.99),
        *std::max_element(absolute.begin(), absolute.end()));
    return result;
}
