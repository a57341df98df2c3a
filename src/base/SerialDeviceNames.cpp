#include "base/SerialDeviceNames.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace velarin {
namespace {

constexpr std::array<std::string_view, 3> kPrefixes { "ttyS", "ttyUSB", "ttyACM" };

struct SortKey {
    size_t family = kPrefixes.size(); // unknown names last
    size_t digits = 0; // fewer digits first, so that the text order is the numeric order
    std::string_view name;

    bool operator<(const SortKey& other) const
    {
        return std::tie(family, digits, name) < std::tie(other.family, other.digits, other.name);
    }
};

bool AllDigits(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string_view BaseName(std::string_view path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

SortKey KeyOf(std::string_view path)
{
    const std::string_view name = BaseName(path);
    for (size_t i = 0; i < kPrefixes.size(); ++i) {
        if (name.starts_with(kPrefixes[i]) && AllDigits(name.substr(kPrefixes[i].size())))
            return { i, name.size() - kPrefixes[i].size(), name };
    }
    return { kPrefixes.size(), 0, name };
}

} // namespace

bool IsSerialDeviceName(std::string_view name)
{
    return KeyOf(name).family < kPrefixes.size() && name.find('/') == std::string_view::npos;
}

void SortSerialDevicePaths(std::vector<std::string>& paths)
{
    std::stable_sort(paths.begin(), paths.end(),
        [](const std::string& a, const std::string& b) { return KeyOf(a) < KeyOf(b); });
}

} // namespace velarin
