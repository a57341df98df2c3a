#include "platform/linux/KernelPpsLookup.h"
#include "platform/linux/SerialDeviceList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velarin;
namespace fs = std::filesystem;

TEST(SerialDeviceList, ListsSerialPortsWithHardwareInOrderWithoutOpeningThem)
{
    QTemporaryDir root;
    const fs::path dev = root.filePath("dev").toStdString();
    const fs::path sys = root.filePath("sys").toStdString();
    const auto touch = [](const fs::path& path, const std::string& contents = "") {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << contents;
    };
    for (const char* name :
        { "ttyS0", "ttyS1", "ttyS10", "ttyS2", "ttyUSB1", "ttyUSB0", "ttyACM0", "tty0", "console" })
        touch(dev / name);
    touch(sys / "ttyS0" / "type", "4\n");
    touch(sys / "ttyS1" / "type", "0\n"); // reserved, no UART
    touch(sys / "ttyS10" / "type", "garbage");
    // ttyS2 has no description: listed.
    EXPECT_EQ(ListSerialDevices(dev.string(), sys.string()),
        (std::vector<std::string> { (dev / "ttyS0").string(), (dev / "ttyS2").string(),
            (dev / "ttyS10").string(), (dev / "ttyUSB0").string(), (dev / "ttyUSB1").string(),
            (dev / "ttyACM0").string() }));
    EXPECT_TRUE(ListSerialDevices("/nonexistent-velarin-dev", "/nonexistent").empty());
}

TEST(KernelPpsLookup, FindsTheSourceWhosePathNamesTheTtyWithoutOpeningIt)
{
    QTemporaryDir root;
    const fs::path pps = root.filePath("class/pps").toStdString();
    const fs::path tty = root.filePath("ttyUSB3").toStdString();
    std::ofstream(tty.string()) << "";
    fs::create_symlink(tty, root.filePath("gps0").toStdString());
    const std::pair<const char*, std::string> sources[] = { { "pps0", "" }, // a GPIO source
        { "pps1", "/dev/ttyS1\n" }, { "pps2", tty.string() + "\n" }, { "pps3", tty.string() } };
    for (const auto& [name, path] : sources) {
        fs::create_directories(pps / name);
        std::ofstream((pps / name / "path").string()) << path;
    }
    EXPECT_EQ(FindKernelPpsDevice("/dev/ttyS1", pps.string()), "/dev/pps1");
    EXPECT_EQ(FindKernelPpsDevice(tty.string(), pps.string()), "/dev/pps2"); // the first
    EXPECT_EQ(FindKernelPpsDevice(root.filePath("gps0").toStdString(), pps.string()), "/dev/pps2");
    EXPECT_EQ(FindKernelPpsDevice("/dev/ttyS0", pps.string()), "");
    EXPECT_EQ(FindKernelPpsDevice("", pps.string()), "");
    EXPECT_EQ(FindKernelPpsDevice("/dev/ttyS1", (pps / "absent").string()), "");
}
