#include "platform/linux/LinuxConnectivity.h"

#include <fstream>
#include <sstream>

namespace velarin {

namespace {
constexpr unsigned long kRouteUp = 0x0001; // RTF_UP
constexpr unsigned long kRouteReject = 0x0200; // RTF_REJECT: an unreachable marker, not a way out
constexpr unsigned long kInterfaceUp = 0x1; // IFF_UP

bool parseHex(const std::string& text, unsigned long& value)
{
    if (text.empty() || text.size() > 16)
        return false;
    try {
        size_t used = 0;
        value = std::stoul(text, &used, 16);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

bool allZero(const std::string& text)
{
    return !text.empty() && text.find_first_not_of('0') == std::string::npos;
}
} // namespace

LinuxConnectivity::LinuxConnectivity()
    : LinuxConnectivity("/proc/net", "/sys/class/net")
{
}

LinuxConnectivity::LinuxConnectivity(std::string procNetDir, std::string sysNetDir)
    : procNetDir_(std::move(procNetDir))
    , sysNetDir_(std::move(sysNetDir))
{
}

bool LinuxConnectivity::IsInternetConnected()
{
    return ipv4DefaultRoute() || ipv6DefaultRoute();
}

bool LinuxConnectivity::interfaceUp(const std::string& name) const
{
    if (name.empty() || name == "lo" || name.find('/') != std::string::npos || name == "."
        || name == "..")
        return false;
    std::ifstream flagsFile(sysNetDir_ + "/" + name + "/flags");
    std::string flagsText;
    unsigned long flags = 0;
    if (!(flagsFile >> flagsText))
        return false;
    if (flagsText.rfind("0x", 0) == 0)
        flagsText.erase(0, 2);
    if (!parseHex(flagsText, flags) || !(flags & kInterfaceUp))
        return false;
    // Tunnels and point-to-point links report "unknown"; only a known-down link is refused.
    std::ifstream stateFile(sysNetDir_ + "/" + name + "/operstate");
    std::string state;
    if (!(stateFile >> state))
        return true;
    return state == "up" || state == "unknown";
}

bool LinuxConnectivity::usableDefaultRoute(const std::string& destination,
    const std::string& prefix, const std::string& flagsText, const std::string& name) const
{
    unsigned long flags = 0;
    return allZero(destination) && allZero(prefix) && parseHex(flagsText, flags)
        && (flags & kRouteUp) && !(flags & kRouteReject) && interfaceUp(name);
}

bool LinuxConnectivity::ipv4DefaultRoute() const
{
    std::ifstream routes(procNetDir_ + "/route");
    std::string line;
    std::getline(routes, line); // header
    while (std::getline(routes, line)) {
        std::istringstream fields(line);
        std::string name, destination, gateway, flagsText, refCount, use, metric, mask;
        if (!(fields >> name >> destination >> gateway >> flagsText >> refCount >> use >> metric
                >> mask))
            continue;
        if (usableDefaultRoute(destination, mask, flagsText, name))
            return true;
    }
    return false;
}

bool LinuxConnectivity::ipv6DefaultRoute() const
{
    std::ifstream routes(procNetDir_ + "/ipv6_route");
    std::string line;
    while (std::getline(routes, line)) {
        std::istringstream fields(line);
        std::string destination, prefix, source, sourcePrefix, nextHop, metric, refCount, use,
            flagsText, name;
        if (!(fields >> destination >> prefix >> source >> sourcePrefix >> nextHop >> metric
                >> refCount >> use >> flagsText >> name))
            continue;
        if (usableDefaultRoute(destination, prefix, flagsText, name))
            return true;
    }
    return false;
}

} // namespace velarin
