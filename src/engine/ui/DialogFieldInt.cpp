#include "engine/ui/DialogFieldInt.h"

#include <cstdint>
#include <limits>

namespace velarin {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

int DialogFieldInt(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return 0;
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t { std::numeric_limits<int32_t>::max() } + 1;
    for (char c : text) {
        if (c < '0' || c > '9')
            return 0;
        value = value * 10 + (c - '0');
        if (value > kLimit)
            return 0;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<int32_t>::max())
        return 0;
    return static_cast<int>(value);
}

} // namespace velarin
