// velarin-tool simulate-gps: a GPS receiver for tests, benchmarks and the demo. Each second's
// sentences leave L ms after the true UTC second; the time they carry is true time + X.
#include "app/tool/ReaderGone.h"
#include "app/tool/ToolCommand.h"

#include "base/Calendar.h"
#include "platform/sim/SimulatedReceiver.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace velarin::tool {

namespace {

struct SimulateOptions {
    bool pty = false;
    SimulatedReceiver::Options receiver;
    long latencyMs = 50;
    long offsetMs = 0;
    long durationSeconds = 0; // 0: until stopped
};

int usage()
{
    std::fprintf(stderr,
        "usage: velarin-tool simulate-gps [--pty] [--talker GN|GP] "
        "[--systems gps,glonass,galileo,beidou] [--sentences GGA,GSA,GSV,RMC,ZDA] "
        "[--satellites N] [--quality Q] [--latency-ms L] [--offset-ms X] [--duration S]\n");
    return 2;
}

bool parseLong(const char* text, long low, long high, long& out)
{
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < low || value > high)
        return false;
    out = value;
    return true;
}

// A comma-separated list, each name turned into an item by convert (false: not a name).
template <typename Item, typename Convert>
bool parseList(const std::string& list, std::vector<Item>& out, Convert convert)
{
    out.clear();
    size_t start = 0;
    while (start <= list.size()) {
        const size_t comma = list.find(',', start);
        Item item {};
        if (!convert(list.substr(start, comma - start), item))
            return false;
        out.push_back(item);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return !out.empty();
}

bool parseSentences(const std::string& list, std::vector<std::string>& out)
{
    return parseList(list, out, [](const std::string& name, std::string& item) {
        item = name;
        return name == "GGA" || name == "GSA" || name == "GSV" || name == "RMC" || name == "ZDA";
    });
}

bool parseSystems(const std::string& list, std::vector<SatelliteSystem>& out)
{
    return parseList(list, out, [](const std::string& name, SatelliteSystem& item) {
        static constexpr struct {
            const char* name;
            SatelliteSystem system;
        } kNames[] = { { "gps", SatelliteSystem::Gps }, { "glonass", SatelliteSystem::Glonass },
            { "galileo", SatelliteSystem::Galileo }, { "beidou", SatelliteSystem::BeiDou } };
        for (const auto& known : kNames) {
            if (name == known.name) {
                item = known.system;
                return true;
            }
        }
        return false;
    });
}

bool parseOptions(int argc, char** argv, SimulateOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long number = 0;
        if (arg == "--pty") {
            options.pty = true;
            continue;
        }
        if (!value)
            return false;
        ++i;
        if (arg == "--sentences") {
            if (!parseSentences(value, options.receiver.sentences))
                return false;
        } else if (arg == "--talker"
            && (std::strcmp(value, "GN") == 0 || std::strcmp(value, "GP") == 0)) {
            options.receiver.combined = std::strcmp(value, "GN") == 0;
        } else if (arg == "--systems") {
            if (!parseSystems(value, options.receiver.systems))
                return false;
        } else if (arg == "--satellites" && parseLong(value, 0, 12, number)) {
            options.receiver.satellites = static_cast<int>(number);
        } else if (arg == "--quality" && parseLong(value, 0, 9, number)) {
            options.receiver.quality = static_cast<int>(number);
        } else if (arg == "--latency-ms" && parseLong(value, 0, 999, number)) {
            options.latencyMs = number;
        } else if (arg == "--offset-ms" && parseLong(value, -86400000L, 86400000L, number)) {
            options.offsetMs = number;
        } else if (arg == "--duration" && parseLong(value, 0, 100000000L, number)) {
            options.durationSeconds = number;
        } else {
            return false;
        }
    }
    return true;
}

// A pseudo-terminal in raw mode. The slave side stays open here too, so that the device exists
// and buffers from the start, whoever opens it later.
bool openPty(int& master, int& slave, std::string& path)
{
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return false;
    const char* name = ptsname(master);
    if (!name)
        return false;
    path = name;
    slave = open(name, O_RDWR | O_NOCTTY);
    if (slave < 0)
        return false;
    termios raw {};
    if (tcgetattr(slave, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(slave, TCSANOW, &raw);
    }
    return true;
}

bool writeAll(int fd, const std::string& data)
{
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

int64_t nowMilliseconds()
{
    timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int)
{
    stopRequested = 1;
}

// A terminating signal (the starter's end included) ends the receiver like its last second, so
// that whatever a normal end does still happens.
void endOnTerminatingSignals()
{
    struct sigaction action { };
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    for (int signal : { SIGTERM, SIGINT, SIGHUP })
        sigaction(signal, &action, nullptr);
}

// False when a terminating signal came before the time.
bool sleepUntilMilliseconds(int64_t ms)
{
    timespec at {};
    at.tv_sec = static_cast<time_t>(ms / 1000);
    at.tv_nsec = static_cast<long>(ms % 1000) * 1000000;
    while (clock_nanosleep(CLOCK_REALTIME, TIMER_ABSTIME, &at, nullptr) == EINTR) {
        if (stopRequested)
            return false;
    }
    return !stopRequested;
}

int runSimulateGps(int argc, char** argv)
{
    SimulateOptions options;
    if (!parseOptions(argc, argv, options))
        return usage();
    std::signal(SIGPIPE, SIG_IGN);
    endOnTerminatingSignals();

    int out = STDOUT_FILENO;
    int slave = -1;
    if (options.pty) {
        std::string path;
        if (!openPty(out, slave, path)) {
            std::fprintf(stderr, "simulate-gps: cannot create a pseudo-terminal: %s\n",
                std::strerror(errno));
            return 1;
        }
        std::printf("%s\n", path.c_str());
        std::fflush(stdout);
    }

    // A receiver is punctual: no timer slack on the sleeps that time its sentences.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    const SimulatedReceiver receiver(options.receiver);
    int64_t second = nowMilliseconds() / 1000 + 1;
    for (long sent = 0; options.durationSeconds == 0 || sent < options.durationSeconds;
         ++sent, ++second) {
        // The path went to whoever started this receiver. Once nobody reads that line's channel
        // the starter is gone, and the pseudo-terminal is of no use to anyone after it: end.
        // The device itself stays open here, so a program that closes and reopens it meanwhile
        // does not end the receiver.
        if (options.pty && ReaderGone(STDOUT_FILENO))
            return 0;
        if (!sleepUntilMilliseconds(second * 1000 + options.latencyMs))
            return 0;
        const std::string burst
            = receiver.Burst(FromUnixMilliseconds(second * 1000 + options.offsetMs));
        // Nobody may be reading yet: what is still unread from a second ago is stale.
        if (slave >= 0)
            tcflush(slave, TCIFLUSH);
        if (!writeAll(out, burst))
            return options.pty ? 1 : 0;
    }
    return 0;
}

const ToolRegistration registration({ "simulate-gps",
    "[--pty] [--talker GN|GP] [--systems gps,glonass,galileo,beidou] "
    "[--sentences GGA,GSA,GSV,RMC,ZDA] [--satellites N] [--quality Q] [--latency-ms L] "
    "[--offset-ms X] [--duration S]",
    "a GPS receiver sending NMEA L ms after each true UTC second (on stdout or a new "
    "pseudo-terminal, whose path is the first line)",
    runSimulateGps });

} // namespace

} // namespace velarin::tool
