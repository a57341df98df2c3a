// Whatever a user types into the pages' number fields and the port field: the readers must take
// any text, agree with a plain decimal reading, and keep the 16-bit and delay rules.
#include "engine/ui/DialogFieldInt.h"
#include "engine/ui/GpsConfigurationRules.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// A slow, obvious reading: blanks, one optional sign, at least one digit, blanks; 32 bits.
bool PlainReading(std::string_view text, long long& value)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const size_t digitsStart = i;
    value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10 + (text[i++] - '0');
        if (value > 1LL << 32)
            return false;
    }
    if (i == digitsStart)
        return false;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    if (i != text.size())
        return false;
    if (negative)
        value = -value;
    return value >= INT32_MIN && value <= INT32_MAX;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const int read = velarin::DialogFieldInt(text);
    long long expected = 0;
    if (!PlainReading(text, expected))
        expected = 0;
    if (read != expected)
        std::abort();
    if (velarin::gpsconfig::KeepIn16Bits(read)
        != static_cast<uint16_t>(static_cast<uint32_t>(read)))
        std::abort();
    const auto delay = velarin::gpsconfig::AcceptedGpsTimeDelay(read);
    if (delay.has_value() != (read >= -999 && read <= 999))
        std::abort();

    const velarin::gpsconfig::CommPortChoice choice = velarin::gpsconfig::CommPortFromText(text, 4);
    if (!choice.device.empty() && (choice.port != 4 || choice.device.front() != '/'))
        std::abort();
    if (choice.device.empty() && choice.port != read)
        std::abort();
    return 0;
}
