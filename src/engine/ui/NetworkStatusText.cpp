#include "engine/ui/NetworkStatusText.h"

namespace velarin {

const char* NetworkStatusText(int useNetworkTime, bool internetConnected, int networkFailure)
{
    if (useNetworkTime == 0)
        return "Disabled";
    if (!internetConnected)
        return "No Internet connection";
    return networkFailure == 1 ? "Cannot connect to network time server" : "Nominal";
}

} // namespace velarin
