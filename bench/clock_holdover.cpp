// How well the PC clock holds true time between settings: a simulated clock with a rate error
// (and a slow, day-long wander) is set every N minutes through the program's own setting path
// (the GPS procedure or the SNTP client, and the rate correction behind them) from a simulated
// reference with its jitter, in simulated time: a day takes well under a second, and the
// machine's clock is never touched.
//
//   clock_holdover [--rate-ppm R] [--hours H] [--interval-min N] [--wander-ppm W]
//                  [--reference gps|network] [--late-percent P] [--seed S] [--verbose]
//
// --late-percent makes that share of the GPS settings 3.9 ms late, as the real path now and then
// is; such a setting's own error then stays on the clock until the next one.
//
// Prints the largest |clock - true| of every hour, sampled every 10 s, and last one JSON line.
#include "engine/AppState.h"
#include "engine/clockset/CancelSignal.h"
#include "engine/clockset/GpsClockSetting.h"
#include "engine/clockset/GpsTimeSource.h"
#include "engine/clockset/PpsDetector.h"
#include "engine/clockset/RateCorrectingClock.h"
#include "engine/frame/SystemLog.h"
#include "engine/nettime/NetworkTime.h"
#include "engine/nettime/NtpTime.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/ThreadPriority.h"
#include "platform/sim/ScriptedNetworkSockets.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace velarin;

namespace {

constexpr int64_t kStartMicroseconds = 1767225600LL * 1000000; // 2026-01-01 00:00:00 UTC
constexpr int64_t kSampleMicroseconds = 10 * 1000000;
// The receiver's sentence for second s arrives this long after s; "GPSTimeDelay" makes up for
// it, and what is left is the jitter below.
constexpr int kReceiverLatencyMs = 50;

struct Options {
    double ratePpm = 37.0;
    double hours = 24.0;
    int intervalMinutes = 60;
    double wanderPpm = 2.0;
    bool network = false;
    unsigned seed = 1;
    bool verbose = false; // every setting's log note
    double latePercent = 0.0; // settings made 3.9 ms late
};

class NoPriority : public ThreadPriority {
public:
    bool SetCurrentThreadPriority(ThreadPriorityLevel) override { return true; }
};

// The simulated time: the receiver, the server and the bench move it forward.
struct TrueTime {
    std::atomic<int64_t> microseconds { kStartMicroseconds };
    void Advance(int64_t by) { microseconds += by; }
};

// A receiver whose sentence for each second arrives the latency plus a jitter after it: the
// serial line, the decoder's wake-up and the worker's. A wait for the next sentence moves the
// simulated time to its arrival.
class SimulatedSentenceSource : public GpsTimeSource {
public:
    SimulatedSentenceSource(TrueTime& time, std::mt19937& random, double latePercent)
        : time_(time)
        , random_(random)
        , late_(latePercent / 100.0)
    {
    }
    std::optional<SystemTime> GetReceiverTime() override { return receiverTime_; }
    uint64_t UpdateSequence() override { return sequence_; }
    uint64_t WaitForUpdate(uint64_t, std::chrono::milliseconds) override
    {
        const int64_t now = time_.microseconds;
        const int64_t second = now / 1000000 + 1;
        // As measured on the real path (gps_set_accuracy: 0.22 to 0.32 ms late; now and then
        // a setting some 4 ms late, which --late-percent adds).
        std::normal_distribution<double> jitter(270.0, 30.0);
        std::bernoulli_distribution late(late_);
        const int64_t arrival = second * 1000000 + kReceiverLatencyMs * 1000
            + static_cast<int64_t>(jitter(random_)) + (late(random_) ? 3900 : 0);
        time_.Advance(arrival - now);
        receiverTime_ = FromUnixMilliseconds(second * 1000);
        return ++sequence_;
    }
    void WakeWaiters() override { }

private:
    TrueTime& time_;
    std::mt19937& random_;
    double late_;
    std::optional<SystemTime> receiverTime_;
    uint64_t sequence_ = 0;
};

NtpTime ntpAt(int64_t unixMicroseconds)
{
    const uint64_t seconds = static_cast<uint64_t>(unixMicroseconds / 1000000) + 2208988800ULL;
    const auto fraction = static_cast<uint64_t>(
        static_cast<double>(unixMicroseconds % 1000000) * 4294967296.0 / 1e6);
    return NtpTime((seconds << 32) + fraction);
}

// An SNTP server across the Internet: each way takes 10 ms plus a queueing delay, so the
// offset it gives is off by half the difference of the two ways.
ScriptedNetworkSockets::Responder internetServer(TrueTime& time, std::mt19937& random)
{
    return [&time, &random](const std::vector<uint8_t>& request) {
        std::exponential_distribution<double> queue(1.0 / 3000.0);
        time.Advance(10000 + static_cast<int64_t>(queue(random)));
        std::vector<uint8_t> reply(48, 0);
        reply[0] = 0x1C;
        reply[1] = 1;
        std::copy(request.begin() + 40, request.begin() + 48, reply.begin() + 24);
        ntpAt(time.microseconds).ToNetworkBytes(reply.data() + 32);
        ntpAt(time.microseconds).ToNetworkBytes(reply.data() + 40);
        time.Advance(10000 + static_cast<int64_t>(queue(random)));
        return NetworkReply { NetworkStatus::Ok, reply, 0 };
    };
}

struct Run {
    std::vector<double> hourlyMaxMs;
    double maxAbsMs = 0.0;
    double maxAbsAfter3hMs = 0.0;
    double rmsMs = 0.0;
    // From the first setting that left a measured rate behind on.
    double maxAbsOnceCorrectedMs = 0.0;
    double firstCorrectionHours = -1.0;
    int settings = 0;
    std::string lastNote;
};

Run run(const Options& options, bool correct)
{
    std::mt19937 random(options.seed);
    TrueTime time;
    SimulatedSystemClock clock([&time] { return time.microseconds.load(); });
    clock.SetRateError(options.ratePpm, options.wanderPpm);
    MemorySettingsStore settings;
    settings.WriteProfileInt(keys::kSettings, keys::kRateCorrection, correct ? 1 : 0);
    settings.WriteProfileInt(keys::kSettings, keys::kGPSTimeDelay, kReceiverLatencyMs);
    AppState state;
    state.timeReferenceUsable = 1;
    state.useTimrFrom = 1;
    state.useNetworkTime = options.network ? 1 : 0;
    state.SetCurrentTimeServer("0.pool.example.org");
    SystemLog log(clock);
    RateCorrectingClock settingClock(clock, settings, state, log, [](std::string_view) {});

    SimulatedSentenceSource receiver(time, random, options.latePercent);
    NoPriority priority;
    CancelSignal cancel;
    PpsDetector pps(settings, state, receiver, priority, cancel, [] { return nullptr; });
    GpsClockSetting gps(settings, state, receiver, settingClock, log, pps, cancel);
    ScriptedNetworkSockets sockets;
    sockets.SetDatagramResponder(internetServer(time, random));
    NetworkTimeContext network { settings, state, settingClock, sockets };

    Run result;
    const int64_t end = kStartMicroseconds + static_cast<int64_t>(options.hours * 3600e6);
    const int64_t interval = static_cast<int64_t>(options.intervalMinutes) * 60000000;
    result.hourlyMaxMs.assign(static_cast<size_t>(std::ceil(options.hours)), 0.0);
    double sumSquares = 0.0;
    long samples = 0;
    int64_t nextSetting = kStartMicroseconds;
    int64_t nextSample = kStartMicroseconds;
    while (time.microseconds < end) {
        if (time.microseconds >= nextSetting) {
            const int set = options.network ? SetClockFromNetwork(network) : gps.SetTimeFromGps();
            result.settings += set ? 1 : 0;
            result.lastNote = settingClock.SettingNote();
            if (result.firstCorrectionHours < 0.0
                && state.clockRateState.load() == AppState::ClockRateState::Measured)
                result.firstCorrectionHours
                    = static_cast<double>(time.microseconds - kStartMicroseconds) / 3600e6;
            if (options.verbose && correct)
                std::printf("  %7.3f h: %s\n",
                    static_cast<double>(time.microseconds - kStartMicroseconds) / 3600e6,
                    result.lastNote.c_str());
            nextSetting += interval;
            continue;
        }
        const int64_t next = std::min({ nextSetting, nextSample, end });
        if (next > time.microseconds)
            time.Advance(next - time.microseconds);
        if (time.microseconds < nextSample || time.microseconds >= end)
            continue;
        nextSample += kSampleMicroseconds;
        const double errorMs = std::fabs(static_cast<double>(clock.OffsetMicroseconds())) / 1000.0;
        // The sample on the hour closes the hour before.
        const auto hour = static_cast<size_t>(
            std::max<int64_t>(0, time.microseconds - kStartMicroseconds - 1) / 3600000000);
        result.hourlyMaxMs[hour] = std::max(result.hourlyMaxMs[hour], errorMs);
        result.maxAbsMs = std::max(result.maxAbsMs, errorMs);
        if (hour >= 3)
            result.maxAbsAfter3hMs = std::max(result.maxAbsAfter3hMs, errorMs);
        if (result.firstCorrectionHours >= 0.0)
            result.maxAbsOnceCorrectedMs = std::max(result.maxAbsOnceCorrectedMs, errorMs);
        sumSquares += errorMs * errorMs;
        ++samples;
    }
    result.rmsMs = samples ? std::sqrt(sumSquares / static_cast<double>(samples)) : 0.0;
    return result;
}

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const bool value = i + 1 < argc;
        if (!std::strcmp(argv[i], "--rate-ppm") && value)
            options.ratePpm = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--hours") && value)
            options.hours = std::clamp(std::atof(argv[++i]), 1.0, 24.0 * 366);
        else if (!std::strcmp(argv[i], "--interval-min") && value)
            options.intervalMinutes = std::clamp(std::atoi(argv[++i]), 1, 44640);
        else if (!std::strcmp(argv[i], "--wander-ppm") && value)
            options.wanderPpm = std::atof(argv[++i]);
        else if (!std::strcmp(argv[i], "--late-percent") && value)
            options.latePercent = std::clamp(std::atof(argv[++i]), 0.0, 100.0);
        else if (!std::strcmp(argv[i], "--verbose"))
            options.verbose = true;
        else if (!std::strcmp(argv[i], "--seed") && value)
            options.seed = static_cast<unsigned>(std::atoi(argv[++i]));
        else if (!std::strcmp(argv[i], "--reference") && value) {
            const std::string reference = argv[++i];
            if (reference != "gps" && reference != "network")
                return false;
            options.network = reference == "network";
        } else
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
            "usage: clock_holdover [--rate-ppm R] [--hours H] [--interval-min N] "
            "[--wander-ppm W] [--reference gps|network] [--late-percent P] [--seed S] "
            "[--verbose]\n");
        return 2;
    }
    const Run corrected = run(options, true);
    const Run free = run(options, false);
    std::printf("reference %s, rate %+.3f ppm, wander ±%.3f ppm over a day, a setting every %d "
                "min, %d settings\n",
        options.network ? "network (SNTP)" : "GPS", options.ratePpm, options.wanderPpm,
        options.intervalMinutes, corrected.settings);
    for (size_t hour = 0; hour < corrected.hourlyMaxMs.size(); ++hour)
        std::printf("hour %3zu: max |clock-true| %9.3f ms (without correction %9.3f ms)\n", hour,
            corrected.hourlyMaxMs[hour], free.hourlyMaxMs[hour]);
    std::printf("last setting: %s\n", corrected.lastNote.c_str());
    std::printf("first correction at %.2f h; max |clock-true| from then on %.3f ms\n",
        corrected.firstCorrectionHours, corrected.maxAbsOnceCorrectedMs);
    std::printf("{\"hours\":%g,\"interval_min\":%d,\"rate_ppm\":%g,\"max_abs_ms\":%.3f,"
                "\"max_abs_ms_after_3h\":%.3f,\"rms_ms\":%.3f,"
                "\"max_abs_ms_without_correction\":%.3f}\n",
        options.hours, options.intervalMinutes, options.ratePpm, corrected.maxAbsMs,
        corrected.maxAbsAfter3hMs, corrected.rmsMs, free.maxAbsMs);
    return corrected.settings > 0 ? 0 : 1;
}
