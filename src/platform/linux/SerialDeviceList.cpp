#include "platform/linux/SerialDeviceList.h"

#include "base/SerialDeviceNames.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace velarin {
namespace {

// The UART type the serial driver reports; 0 is "unknown", a reserved port with no chip.
bool HasUart(const std::filesystem::path& ttyClassDirectory, const std::string& name)
{
    std::ifstream type(ttyClassDirectory / name / "type");
    if (!type)
        return true;
    int value = 0;
    if (!(type >> value))
        return true;
    return value != 0;
}

} // namespace

std::vector<std::string> ListSerialDevices(
    const std::string& deviceDirectory, const std::string& ttyClassDirectory)
{
    std::vector<std::string> paths;
    std::error_code error;
    const std::filesystem::directory_iterator end;
    for (std::filesystem::directory_iterator it(deviceDirectory, error); !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (!IsSerialDeviceName(name))
            continue;
        if (name.starts_with("ttyS") && !HasUart(ttyClassDirectory, name))
            continue;
        paths.push_back((std::filesystem::path(deviceDirectory) / name).string());
    }
    SortSerialDevicePaths(paths);
    return paths;
}

} // namespace velarin
