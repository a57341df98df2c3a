#pragma once

#include "platform/Connectivity.h"

#include <string>

namespace velarin {

// An Internet connection is assumed when an IPv4 or IPv6 default route leads out through an
// interface other than loopback that is administratively up and not down at the link. Read from
// /proc/net/route, /proc/net/ipv6_route and /sys/class/net (the folders can be pointed
// elsewhere for tests).
class LinuxConnectivity : public Connectivity {
public:
    LinuxConnectivity();
    LinuxConnectivity(std::string procNetDir, std::string sysNetDir);

    bool IsInternetConnected() override;

private:
    bool interfaceUp(const std::string& name) const;
    // A default destination (all-zero address and prefix or mask), up, not a reject route, out
    // through an interface that is up.
    bool usableDefaultRoute(const std::string& destination, const std::string& prefix,
        const std::string& flagsText, const std::string& name) const;
    bool ipv4DefaultRoute() const;
    bool ipv6DefaultRoute() const;

    std::string procNetDir_;
    std::string sysNetDir_;
};

} // namespace velarin
