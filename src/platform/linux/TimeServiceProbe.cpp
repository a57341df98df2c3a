#include "platform/linux/TimeServiceProbe.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace velarin {

namespace {

struct KnownService {
    const char* processName; // as the kernel keeps it: at most 15 characters
    const char* name;
};

constexpr KnownService kKnownServices[] = {
    { "chronyd", "chronyd" },
    { "ntpd", "ntpd" },
    { "systemd-timesyn", "systemd-timesyncd" },
    { "phc2sys", "phc2sys" },
    { "timemaster", "timemaster" },
};

bool isProcessDirectory(const std::filesystem::path& path)
{
    const std::string name = path.filename().string();
    return !name.empty()
        && std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isdigit(c); });
}

} // namespace

std::string FindRunningTimeService(const std::string& procRoot)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(procRoot, error);
    if (error)
        return {};
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const auto& entry = *entries;
        if (!isProcessDirectory(entry.path()))
            continue;
        // A process may end while it is looked at: an unreadable name is simply no match.
        std::ifstream comm(entry.path() / "comm");
        std::string processName;
        if (!std::getline(comm, processName))
            continue;
        for (const KnownService& known : kKnownServices) {
            if (processName == known.processName)
                return known.name;
        }
    }
    return {};
}

} // namespace velarin
