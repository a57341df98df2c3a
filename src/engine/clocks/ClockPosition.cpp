#include "engine/clocks/ClockPosition.h"

#include <cstdint>
#include <cstdio>
#include <optional>

namespace velarin {
namespace {

constexpr int64_t kCoordinateLimit = 1'000'000;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// One "%d": leading white space, an optional sign, at least one digit.
std::optional<int> parseField(std::string_view text, size_t& pos)
{
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    int64_t value = 0;
    size_t digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos++] - '0');
        if (value > kCoordinateLimit)
            return std::nullopt;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return static_cast<int>(negative ? -value : value);
}

} // namespace

ClockRect ParseClockPosition(std::string_view text)
{
    ClockRect rect = kDefaultClockRect;
    int* const fields[4] = { &rect.left, &rect.right, &rect.top, &rect.bottom };
    size_t pos = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != ',')
                break;
            ++pos;
        }
        const auto value = parseField(text, pos);
        if (!value)
            break;
        *fields[i] = *value;
    }
    return rect;
}

std::string FormatClockPosition(const ClockRect& rect)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", rect.left, rect.right, rect.top, rect.bottom);
    return text;
}

ClockRect UsableClockRect(ClockRect rect)
{
    if (static_cast<int64_t>(rect.right) - rect.left < kMinimumClockWidth)
        rect.right = rect.left + kMinimumClockWidth;
    if (rect.bottom <= rect.top)
        rect.bottom = rect.top + kDefaultClockRect.Height();
    return rect;
}

} // namespace velarin
