#include "engine/clocks/ClockHoverText.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

namespace velarin {
namespace {

std::string formatClassic(const SystemTime& time, const char* format)
{
    std::tm tm {};
    tm.tm_year = time.year - 1900;
    tm.tm_mon = time.month - 1;
    tm.tm_mday = time.day;
    tm.tm_wday = time.dayOfWeek % 7;
    tm.tm_hour = time.hour;
    tm.tm_min = time.minute;
    tm.tm_sec = time.second;
    if (time.month < 1 || time.month > 12)
        tm.tm_mon = 0;
    // The texts are the program's own English ones whatever the user's locale.
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::put_time(&tm, format);
    std::string text = out.str();
    if (text.size() > 127)
        text.clear();
    return text;
}

} // namespace

std::string FormatClockHoverText(const SystemTime& time, bool localTime, bool twentyFourHour)
{
    static constexpr const char* kFormats[2][2] = {
        { "%A, %B %d, %Y (%I:%M:%S %p UTC)", "%A, %B %d, %Y (%H:%M:%S UTC)" },
        { "%A, %B %d, %Y (%I:%M:%S %p Local Time)", "%A, %B %d, %Y (%H:%M:%S Local Time)" },
    };
    return formatClassic(time, kFormats[localTime ? 1 : 0][twentyFourHour ? 1 : 0]);
}

std::string FormatClockDateText(const SystemTime& time)
{
    return formatClassic(time, "%A, %B %d, %Y");
}

} // namespace velarin
