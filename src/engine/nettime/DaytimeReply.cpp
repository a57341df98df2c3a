#include "engine/nettime/DaytimeReply.h"

#include "base/Calendar.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace velarin {

namespace {

// strtok over a view: skips leading delimiters, takes the token up to the next delimiter and
// consumes that delimiter.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view text)
        : rest_(text)
    {
    }

    std::optional<std::string_view> Next(char delimiter)
    {
        size_t start = 0;
        while (start < rest_.size() && rest_[start] == delimiter)
            ++start;
        if (start == rest_.size()) {
            rest_ = {};
            return std::nullopt;
        }
        const size_t end = rest_.find(delimiter, start);
        const std::string_view token = rest_.substr(start, end - start);
        rest_ = end == std::string_view::npos ? std::string_view {} : rest_.substr(end + 1);
        return token;
    }

private:
    std::string_view rest_;
};

bool isCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string_view skipSpace(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    return text.substr(i);
}

// atoi without its undefined overflow: saturates far outside every range the caller accepts.
int64_t toInteger(std::string_view text)
{
    text = skipSpace(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    constexpr int64_t kLimit = int64_t { 1 } << 40;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
        if (value > kLimit)
            value = kLimit;
    }
    return negative ? -value : value;
}

// atof in the C locale whatever the process locale is.
double toReal(std::string_view text)
{
    text = skipSpace(text);
    if (!text.empty() && text[0] == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc())
        return result.ec == std::errc::result_out_of_range ? std::numeric_limits<double>::infinity()
                                                           : 0.0;
    return value;
}

} // namespace

std::optional<DaytimeFields> ParseDaytimeReply(std::string_view reply)
{
    const size_t nul = reply.find('\0');
    if (nul != std::string_view::npos)
        reply = reply.substr(0, nul);

    Tokenizer tokens(reply);
    DaytimeFields fields;
    if (!tokens.Next(' ')) // the Modified Julian Date, not used
        return std::nullopt;
    const auto year = tokens.Next('-');
    const auto month = tokens.Next('-');
    const auto day = tokens.Next(' ');
    const auto hour = tokens.Next(':');
    const auto minute = tokens.Next(':');
    const auto second = tokens.Next(' ');
    const auto daylight = tokens.Next(' ');
    const auto leap = tokens.Next(' ');
    const auto health = tokens.Next(' ');
    const auto advance = tokens.Next(' ');
    if (!year || !month || !day || !hour || !minute || !second || !daylight || !leap || !health
        || !advance)
        return std::nullopt;

    const int64_t twoDigitYear = toInteger(*year);
    fields.year = twoDigitYear < 70 ? twoDigitYear + 2000 : twoDigitYear + 1900;
    fields.month = toInteger(*month);
    fields.day = toInteger(*day);
    fields.hour = toInteger(*hour);
    fields.minute = toInteger(*minute);
    fields.second = toInteger(*second);
    fields.advanceMs = toReal(*advance);
    return fields;
}

bool IsDaytimeInRange(const DaytimeFields& f)
{
    // Year and month are checked first: the month's length is only asked of a real month.
    return f.year >= 1601 && f.year <= 30827 && f.month >= 1 && f.month <= 12 && f.day >= 1
        && f.day <= DaysInMonth(int(f.year), int(f.month)) && f.hour >= 0 && f.hour < 24
        && f.minute >= 0 && f.minute < 60 && f.second >= 0 && f.second < 61
        && std::isfinite(f.advanceMs) && f.advanceMs >= 0 && f.advanceMs <= 1000;
}

} // namespace velarin
