// The stored clock rectangle comes from a settings file anyone can edit: whatever it holds, the
// parse must stay in bounds and the window must get a rectangle it can take.
#include "engine/clocks/ClockPosition.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const velarin::ClockRect parsed = velarin::ParseClockPosition(text);
    const velarin::ClockRect usable = velarin::UsableClockRect(parsed);
    if (usable.Width() < velarin::kMinimumClockWidth || usable.Height() <= 0)
        std::abort();
    if (velarin::ParseClockPosition(velarin::FormatClockPosition(parsed)) != parsed)
        std::abort();
    return 0;
}
