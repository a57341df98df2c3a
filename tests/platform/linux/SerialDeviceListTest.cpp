#include "platform/linux/SerialDeviceList.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace velarin;

namespace {

void Touch(const std::filesystem::path& path, const std::string& contents = "")
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path) << contents;
}

} // namespace

TEST(SerialDeviceList, ListsSerialPortsWithHardwareInOrderWithoutOpeningThem)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const std::filesystem::path dev = root.filePath("dev").toStdString();
    const std::filesystem::path sys = root.filePath("sys").toStdString();
    for (const char* name :
        { "ttyS0", "ttyS1", "ttyS10", "ttyS2", "ttyUSB1", "ttyUSB0", "ttyACM0", "tty0", "console" })
        Touch(dev / name);
    Touch(sys / "ttyS0" / "type", "4\n");
    Touch(sys / "ttyS1" / "type", "0\n"); // reserved, no UART
    Touch(sys / "ttyS10" / "type", "garbage");
    // ttyS2 has no description: listed.

    EXPECT_EQ(ListSerialDevices(dev.string(), sys.string()),
        (std::vector<std::string> { (dev / "ttyS0").string(), (dev / "ttyS2").string(),
            (dev / "ttyS10").string(), (dev / "ttyUSB0").string(), (dev / "ttyUSB1").string(),
            (dev / "ttyACM0").string() }));
}

TEST(SerialDeviceList, AMissingDeviceFolderListsNothing)
{
    EXPECT_TRUE(ListSerialDevices("/nonexistent-velarin-dev", "/nonexistent").empty());
}
