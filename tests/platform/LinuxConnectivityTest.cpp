#include "platform/linux/LinuxConnectivity.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace velarin;
namespace fs = std::filesystem;

namespace {

const char* kRouteHeader
    = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\n";

// A /proc/net and /sys/class/net of our own, in a temporary folder.
struct FakeNetworkTree {
    FakeNetworkTree() { fs::create_directories(root / "proc"); }
    ~FakeNetworkTree() { fs::remove_all(root); }
    void write(const std::string& relative, const std::string& text)
    {
        std::ofstream(root / relative) << text;
    }
    void addInterface(const std::string& name, const char* flags, const char* state)
    {
        fs::create_directories(root / "sys" / name);
        write("sys/" + name + "/flags", flags);
        write("sys/" + name + "/operstate", state);
    }
    bool connected()
    {
        return LinuxConnectivity((root / "proc").string(), (root / "sys").string())
            .IsInternetConnected();
    }
    fs::path root = fs::temp_directory_path() / ("velarin-net-" + std::to_string(::getpid()));
};

} // namespace

TEST(LinuxConnectivity, NeedsADefaultRouteOnAnInterfaceThatIsUp)
{
    FakeNetworkTree tree;
    tree.addInterface("eth0", "0x1003", "up");
    tree.addInterface("wlan0", "0x1002", "down");
    tree.addInterface("tun0", "0x1091", "unknown");
    tree.addInterface("lo", "0x9", "unknown");
    const std::string v4 = kRouteHeader, zero(32, '0'), v6 = zero + " 00 " + zero + " 00 ";
    // IPv4: no route; a subnet route alone; a default route through an interface that is down;
    // one through an interface that is up; a tunnel, which reports its link state as unknown.
    // IPv6: the kernel's unreachable default on lo (a reject route); a default through eth0;
    // garbage, which means no connection, never a crash.
    const std::tuple<const char*, std::string, bool> routes[] = { { "proc/route", v4, false },
        { "proc/route", v4 + "eth0\t000200C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\n", false },
        { "proc/route", v4 + "wlan0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\n", false },
        { "proc/route", v4 + "eth0\t00000000\t010200C0\t0003\t0\t0\t0\t00000000\t0\n", true },
        { "proc/route", v4 + "tun0\t00000000\t00000000\t0001\t0\t0\t0\t00000000\t0\n", true },
        { "proc/ipv6_route", v6 + zero + " ffffffff 00000001 00000000 00200200       lo\n", false },
        { "proc/ipv6_route",
            v6 + "fd000000000000000000000000000001 00000400 00000002 00000000 00000003 eth0\n",
            true },
        { "proc/ipv6_route", "not a route\n\n" + zero + " zz", false } };
    for (const auto& [file, text, connected] : routes) {
        tree.write("proc/route", v4);
        tree.write("proc/ipv6_route", "");
        tree.write(file, text);
        EXPECT_EQ(tree.connected(), connected) << text;
    }
    EXPECT_FALSE(LinuxConnectivity("/nonexistent/proc", "/nonexistent/sys").IsInternetConnected());
}
