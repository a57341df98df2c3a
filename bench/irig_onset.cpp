// How late each IRIG frame's reference marker starts after the PC second it carries.
//
// For every queued frame: onset = (time just after the queue) + (device delay - frame length)
// / rate - (start of the frame's second), the device delay being what the card reports
// (snd_pcm_delay on ALSA) for the last queued sample. Two runs per queueing mode:
//   sweep     simulated time, 2000 seconds, the 50 ms tick drifting through every phase of the
//             second (a timer that is not locked to the clock does this), a card with the given
//             output latency;
//   realtime  the real clock (read, never set) for --seconds, ticks from a sleeping 50 ms loop,
//             on the simulated card or on an ALSA device (--alsa NAME).
// Usage: irig_onset [--compression F] [--latency-ms L] [--seconds N] [--alsa NAME]
//                   [--compose-at-start]
#include "base/Calendar.h"
#include "engine/irig/IrigGenerator.h"
#include "platform/linux/AlsaAudioDevice.h"
#include "platform/sim/SimulatedAudioDevice.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace velarin;

class QuietNotifier : public UserNotifier {
public:
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
    void Beep(MessageIcon) override { }
};

struct Summary {
    std::vector<double> onsetsMs;
    uint64_t lost = 0;
};

void print(const char* mode, const char* run, Summary summary)
{
    auto& v = summary.onsetsMs;
    if (v.empty()) {
        std::printf("%-6s %-9s no frames (lost %llu)\n", mode, run,
            static_cast<unsigned long long>(summary.lost));
        return;
    }
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v)
        sum += x;
    auto at = [&](double q) { return v[std::min(v.size() - 1, size_t(q * double(v.size())))]; };
    std::printf("%-6s %-9s frames %5zu lost %3llu  onset ms: min %7.3f  mean %7.3f  median %7.3f  "
                "p95 %7.3f  max %7.3f\n",
        mode, run, v.size(), static_cast<unsigned long long>(summary.lost), v.front(),
        sum / double(v.size()), at(0.5), at(0.95), v.back());
}

int64_t realMicroseconds()
{
    return std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::system_clock::now().time_since_epoch())
        .count();
}

// One queued frame's onset, from the device delay read right after the queue.
void record(CIrigGenerator& generator, AudioDevice& device, int64_t nowUs, uint64_t& queued,
    Summary& summary)
{
    const auto& stats = generator.Stats();
    summary.lost = stats.framesLost;
    if (stats.framesQueued == queued)
        return;
    queued = stats.framesQueued;
    const int64_t pending = device.PendingFrames();
    const double rate = generator.Stream().SampleRate();
    const double firstSampleUs = double(nowUs) + double(pending - 16000) * 1e6 / rate;
    SystemTime second = stats.lastFrameTime;
    second.milliseconds = 0;
    const int64_t secondUs = *ToUnixMilliseconds(second) * 1000;
    if (std::getenv("IRIG_ONSET_TRACE") != nullptr)
        std::printf("  queued %02d:%02d:%02d at %.3f pending %lld lead %lld\n", second.hour,
            second.minute, second.second, double(nowUs % 1000000) / 1000.0,
            static_cast<long long>(pending), static_cast<long long>(stats.lastLeadFrames));
    summary.onsetsMs.push_back((firstSampleUs - double(secondUs)) / 1000.0);
}

bool start(CIrigGenerator& generator, bool ahead, int compression)
{
    generator.SetSampleRate(CIrigGenerator::SampleRateForCompression(compression));
    generator.SetUtcMode(1);
    generator.SetQueueAhead(ahead);
    return generator.Start();
}

Summary sweep(bool ahead, int compression, uint32_t latencyFrames)
{
    int64_t now = 1'700'000'000'000'000;
    SimulatedSystemClock clock([&] { return now; });
    SimulatedAudioDevice device([&] { return now; }, latencyFrames);
    QuietNotifier notifier;
    CIrigGenerator generator(clock, device, notifier);
    Summary summary;
    if (!start(generator, ahead, compression))
        return summary;
    uint64_t queued = 0;
    // 50.0123 ms ticks: the phase walks through the whole second over the run.
    const int64_t first = now;
    for (int64_t k = 0; k < 2000 * 20; ++k) {
        now = first + k * 50012 + k * 3 / 10;
        generator.Tick();
        record(generator, device, now, queued, summary);
    }
    return summary;
}

bool composeAtStart = false;

Summary realtime(
    bool ahead, int compression, uint32_t latencyFrames, int seconds, const std::string& alsaName)
{
    SimulatedSystemClock clock;
    std::unique_ptr<AudioDevice> device;
    if (alsaName.empty())
        device = std::make_unique<SimulatedAudioDevice>(realMicroseconds, latencyFrames);
    else
        device = std::make_unique<AlsaAudioDevice>(alsaName);
    QuietNotifier notifier;
    CIrigGenerator generator(clock, *device, notifier);
    Summary summary;
    // --compose-at-start: the first frame composed at the first tick, part-way through the
    // second in which the output was started (a clock a second behind during Start does that),
    // to show what waiting for a new second saves.
    if (composeAtStart) {
        // Started 600 ms into a second, as a user's click may be.
        const int64_t now = realMicroseconds();
        std::this_thread::sleep_for(std::chrono::microseconds(1600000 - now % 1000000));
        clock.SetOffsetMicroseconds(-1000000);
    }
    const bool started = start(generator, ahead, compression);
    clock.SetOffsetMicroseconds(0);
    if (!started)
        return summary;
    uint64_t queued = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (int k = 0; k < seconds * 20; ++k) {
        std::this_thread::sleep_until(begin + std::chrono::milliseconds(50 * k));
        generator.Tick();
        record(generator, *device, realMicroseconds(), queued, summary);
    }
    generator.Stop();
    return summary;
}

} // namespace

int main(int argc, char** argv)
{
    int compression = 15;
    double latencyMs = 10;
    int seconds = 20;
    std::string alsaName;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--compose-at-start") == 0) {
            composeAtStart = true;
            continue;
        }
        if (i + 1 >= argc)
            break;
        if (std::strcmp(argv[i], "--compression") == 0)
            compression = std::clamp(std::atoi(argv[i + 1]), 0, 30);
        else if (std::strcmp(argv[i], "--latency-ms") == 0)
            latencyMs = std::max(0.0, std::atof(argv[i + 1]));
        else if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::clamp(std::atoi(argv[i + 1]), 1, 3600);
        else if (std::strcmp(argv[i], "--alsa") == 0)
            alsaName = argv[i + 1];
        ++i;
    }
    const uint32_t rate = CIrigGenerator::SampleRateForCompression(compression);
    const auto latencyFrames = static_cast<uint32_t>(latencyMs * rate / 1000.0);
    std::printf("compression %d (%u Hz), card latency %.1f ms, realtime device %s, %d s\n",
        compression, rate, latencyMs, alsaName.empty() ? "simulated" : alsaName.c_str(), seconds);
    for (bool ahead : { false, true }) {
        const char* mode = ahead ? "ahead" : "as-due";
        print(mode, "sweep", sweep(ahead, compression, latencyFrames));
        print(mode, "realtime", realtime(ahead, compression, latencyFrames, seconds, alsaName));
    }
    return 0;
}
