#include "engine/ui/DialogItemInt.h"

#include <charconv>
#include <cstdint>

namespace velarin {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

int DialogItemInt(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    size_t end = text.size();
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    std::string_view number = text.substr(begin, end - begin);
    // One sign at most; from_chars itself takes a minus but never a plus.
    const bool plus = !number.empty() && number.front() == '+';
    if (plus)
        number.remove_prefix(1);
    if (number.empty() || (plus && (number.front() == '-' || number.front() == '+')))
        return 0;
    int value = 0;
    const auto [last, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || last != number.data() + number.size())
        return 0;
    return value;
}

uint16_t KeepIn16Bits(int value)
{
    return static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
}

} // namespace velarin
