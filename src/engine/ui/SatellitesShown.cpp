#include "engine/ui/SatellitesShown.h"

#include <algorithm>
#include <numeric>

namespace velarin {

std::vector<int> SatellitesShown(const GsvData& gsv, int room)
{
    const int held = std::min<int>(gsv.inView, GsvData::kMaxSatellites);
    std::vector<int> shown(static_cast<size_t>(held));
    std::iota(shown.begin(), shown.end(), 0);
    if (held <= room)
        return shown;
    std::stable_sort(shown.begin(), shown.end(),
        [&gsv](int a, int b) { return gsv.satellites[a].snr > gsv.satellites[b].snr; });
    shown.resize(static_cast<size_t>(std::max(room, 0)));
    return shown;
}

} // namespace velarin
