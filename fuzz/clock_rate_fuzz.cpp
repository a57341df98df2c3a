// Any bytes as a run of clock settings and a time server's name: each 8 bytes give the time
// since the previous setting, the offset it removed and the reference it came from, fed to the
// rate estimator; the rest is the server name whose family the rate correction keys on. A
// correction is always a finite number, and a family is the end of the name it came from.
#include "engine/clockset/ClockRateEstimator.h"
#include "engine/clockset/RateCorrectingClock.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    velarin::ClockRateEstimator estimator;
    double t = 0.0;
    double correction = 0.0;
    size_t at = 0;
    for (; at + 8 <= size && at < 8 * 64; at += 8) {
        int32_t interval = 0;
        int16_t offset = 0;
        std::memcpy(&interval, data + at, 4);
        std::memcpy(&offset, data + at + 4, 2);
        t += std::abs(static_cast<double>(interval)) / 16.0;
        const bool network = data[at + 6] & 1;
        estimator.Feed({ network ? "sntp:a" : "gps", network, t, offset * 1e-5, correction,
            (data[at + 7] & 0x0F) == 0 });
        if (const auto next = estimator.CorrectionPpm()) {
            Check(std::isfinite(*next));
            correction = *next;
        }
    }
    std::string name(reinterpret_cast<const char*>(data) + at, size - at);
    const std::string family = velarin::RateCorrectingClock::ServerFamily(name);
    for (auto& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    Check(name.find(family) != std::string::npos);
    return 0;
}
