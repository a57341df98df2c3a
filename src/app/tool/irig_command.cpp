// velarin-tool irig: writes the IRIG-B time code of a chosen span of seconds into a WAV file,
// through the same generator and two-buffer output that the program plays on the sound card,
// in simulated time so that each frame starts exactly on its second.
#include "app/tool/ToolCommand.h"

#include "base/Calendar.h"
#include "engine/irig/IrigGenerator.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/StderrUserNotifier.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "platform/sim/WavFileAudioDevice.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

using velarin::SystemTime;

// A full day of code is plenty for a diagnostic file (about 2.8 GB at the highest rate stays
// below the WAV size limit).
constexpr long kMaxSeconds = 86400;

std::optional<long> parseNumber(const char* text, long low, long high)
{
    if (text == nullptr || *text == '\0')
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < low || value > high)
        return std::nullopt;
    return value;
}

// "YYYY-MM-DD HH:MM:SS", every field with its digits and nothing else.
std::optional<SystemTime> parseStart(const std::string& text)
{
    if (text.size() != 19)
        return std::nullopt;
    static constexpr char pattern[] = "dddd-dd-dd dd:dd:dd";
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == 'd' ? !digit : text[i] != pattern[i])
            return std::nullopt;
    }
    auto field = [&](size_t at, size_t length) {
        return static_cast<uint16_t>(std::stoi(text.substr(at, length)));
    };
    SystemTime time;
    time.year = field(0, 4);
    time.month = field(5, 2);
    time.day = field(8, 2);
    time.hour = field(11, 2);
    time.minute = field(14, 2);
    time.second = field(17, 2);
    if (!velarin::IsValidSystemTime(time))
        return std::nullopt;
    return time;
}

int usage()
{
    std::fprintf(stderr,
        "usage: velarin-tool irig --wav FILE --start \"YYYY-MM-DD HH:MM:SS\" --seconds N "
        "[--compression F] [--twelve-hour]\n");
    return 2;
}

int runIrig(int argc, char** argv)
{
    std::string wav;
    std::optional<SystemTime> start;
    std::optional<long> seconds;
    // The program's own default, so a file written here matches what the sound card would play.
    long compression = velarin::keys::kFrameCompressionDefault;
    bool twelveHour = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (option == "--twelve-hour") {
            twelveHour = true;
        } else if (value == nullptr) {
            return usage();
        } else if (option == "--wav") {
            wav = value;
            ++i;
        } else if (option == "--start") {
            start = parseStart(value);
            if (!start) {
                std::fprintf(stderr, "velarin-tool irig: bad --start '%s'\n", value);
                return 2;
            }
            ++i;
        } else if (option == "--seconds") {
            seconds = parseNumber(value, 1, kMaxSeconds);
            if (!seconds) {
                std::fprintf(stderr, "velarin-tool irig: --seconds takes 1 to %ld\n", kMaxSeconds);
                return 2;
            }
            ++i;
        } else if (option == "--compression") {
            const auto parsed = parseNumber(value, 0, velarin::keys::kFrameCompressionMax);
            if (!parsed) {
                std::fprintf(stderr, "velarin-tool irig: --compression takes 0 to %d\n",
                    velarin::keys::kFrameCompressionMax);
                return 2;
            }
            compression = *parsed;
            ++i;
        } else {
            return usage();
        }
    }
    if (wav.empty() || !start || !seconds)
        return usage();

    // The fields are sent as given: the simulated clock runs on them as if they were UTC.
    int64_t nowMicroseconds = *velarin::ToUnixMilliseconds(*start) * 1000;
    auto source = [&nowMicroseconds] { return nowMicroseconds; };
    velarin::SimulatedSystemClock clock(source);
    velarin::WavFileAudioDevice device(wav, source);
    velarin::StderrUserNotifier notifier("velarin-tool irig");
    velarin::CIrigGenerator generator(clock, device, notifier);
    generator.SetSampleRate(velarin::CIrigGenerator::SampleRateForCompression(int(compression)));
    generator.SetTwelveHourMode(twelveHour ? 1 : 0);
    generator.SetUtcMode(1);
    // Each frame on its second exactly, composed as the second begins.
    generator.SetQueueAhead(false);
    // Started a microsecond before the first second, which then begins a new one (and whose
    // stream position is still sample 0).
    const int64_t first = nowMicroseconds;
    nowMicroseconds = first - 1;
    if (!generator.Start())
        return 1;
    for (long k = 0; k < *seconds; ++k) {
        nowMicroseconds = first + k * 1000000;
        generator.Tick();
        if (generator.Stats().lastQueueResult != 0) {
            std::fprintf(stderr, "velarin-tool irig: frame %ld not written (%s)\n", k,
                std::strerror(generator.Stats().lastQueueResult));
            return 1;
        }
    }
    nowMicroseconds = first + *seconds * 1000000;
    device.Pause();
    device.Reset();
    if (device.Close() != 0) {
        std::fprintf(stderr, "velarin-tool irig: cannot write %s\n", wav.c_str());
        return 1;
    }
    generator.Stop();
    return 0;
}

const velarin::tool::ToolRegistration registration({ "irig",
    "--wav FILE --start \"YYYY-MM-DD HH:MM:SS\" --seconds N [--compression F] [--twelve-hour]",
    "writes the IRIG-B time code of N seconds from START into a 16-bit mono WAV file", runIrig });

} // namespace
