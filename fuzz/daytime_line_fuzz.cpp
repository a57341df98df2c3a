// Any bytes as a Daytime reply: parsing never reads outside them, and whatever passes the range
// check is a record that fits the clock's 16-bit fields with a bounded pause.
#include "engine/nettime/DaytimeReply.h"

#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace velarin;
    if (size > 51)
        size = 51; // the client never reads more
    const auto fields
        = ParseDaytimeReply(std::string_view(reinterpret_cast<const char*>(data), size));
    if (fields && IsDaytimeInRange(*fields)) {
        if (fields->year < 1601 || fields->year > 30827 || fields->month < 1 || fields->month > 12
            || fields->day < 1 || fields->day > 31 || fields->hour > 23 || fields->minute > 59
            || fields->second > 60 || !(fields->advanceMs >= 0 && fields->advanceMs <= 1000))
            std::abort();
    }
    return 0;
}
