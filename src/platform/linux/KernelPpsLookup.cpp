#include "platform/linux/KernelPpsLookup.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace velarin {
namespace {

std::string resolved(const std::string& path)
{
    std::error_code error;
    const auto canonical = std::filesystem::weakly_canonical(path, error);
    return error ? path : canonical.string();
}

} // namespace

std::string FindKernelPpsDevice(
    const std::string& serialDevicePath, const std::string& ppsClassDirectory)
{
    if (serialDevicePath.empty())
        return {};
    const std::string wanted = resolved(serialDevicePath);
    std::vector<std::string> names;
    std::error_code error;
    const std::filesystem::directory_iterator end;
    for (std::filesystem::directory_iterator it(ppsClassDirectory, error); !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    // pps0 before pps1: the first source bound to the tty wins.
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::ifstream file(std::filesystem::path(ppsClassDirectory) / name / "path");
        std::string path;
        if (!std::getline(file, path) || path.empty())
            continue; // sources without a device (GPIO, the kernel's own) name none
        if (path == serialDevicePath || resolved(path) == wanted)
            return "/dev/" + name;
    }
    return {};
}

} // namespace velarin
