#pragma once

namespace velarin {

// The network page's status line. With the GPS reference the network is not used ("Disabled");
// otherwise the connection decides, then the outcome of the last network query.
const char* NetworkStatusText(int useNetworkTime, bool internetConnected, int networkFailure);

} // namespace velarin
