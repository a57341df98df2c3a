#pragma once

#include "engine/nettime/NetworkTimeContext.h"

namespace velarin {

// Sets the clock from the current server's NIST Daytime line. Non-zero when the clock was set.
// The network failure flag becomes 1 when no connection could be made and 0 once a reply
// arrived; an empty or failed receive leaves it as it was.
int SetClockFromDaytime(NetworkTimeContext& context);

// Sleeps the given milliseconds unless cancel becomes true first; false when cancelled.
bool PauseUnlessCancelled(int milliseconds, const std::atomic<bool>* cancel);

} // namespace velarin
