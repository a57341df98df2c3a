#include "engine/gps/NmeaConversions.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

namespace velarin::nmea {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips white space and reads the sign; returns true for a minus.
bool leadingSign(const char*& p)
{
    while (isSpace(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+')
        ++p;
    return negative;
}

} // namespace

int32_t ToInt(const char* text)
{
    const char* p = text;
    const bool negative = leadingSign(p);
    constexpr int64_t limit = int64_t { std::numeric_limits<int32_t>::max() } + 1;
    int64_t value = 0;
    for (; isDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit)
            value = limit;
    }
    if (negative)
        return static_cast<int32_t>(-value);
    return static_cast<int32_t>(value < limit ? value : limit - 1);
}

double ToReal(const char* text)
{
    const char* p = text;
    const bool negative = leadingSign(p);
    const char* start = p;
    bool digits = false;
    for (; isDigit(*p); ++p)
        digits = true;
    if (*p == '.') {
        ++p;
        for (; isDigit(*p); ++p)
            digits = true;
    }
    if (!digits)
        return 0.0;
    double value = 0.0;
    std::from_chars(start, p, value, std::chars_format::fixed);
    return negative ? -value : value;
}

int32_t Pair(const char* text, int k)
{
    const std::size_t length = std::strlen(text);
    if (static_cast<std::size_t>(k) >= length)
        return 0;
    const char two[3] = { text[k], text[k + 1], '\0' };
    return ToInt(two);
}

double Coordinate(const char* text, int degreeDigits)
{
    const std::size_t length = std::strlen(text);
    char degrees[4] = {};
    const std::size_t split
        = degreeDigits < 0 ? 0 : std::min<std::size_t>(degreeDigits, sizeof degrees - 1);
    std::memcpy(degrees, text, length < split ? length : split);
    const double minutes = length > split ? ToReal(text + split) : 0.0;
    return minutes / 60 + ToReal(degrees);
}

uint8_t Digit(const char* text)
{
    return static_cast<uint8_t>(text[0] - '0');
}

} // namespace velarin::nmea
