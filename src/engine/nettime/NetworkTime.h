#pragma once

#include "engine/nettime/NetworkTimeContext.h"

namespace velarin {

// Results of SetClockFromSntp.
inline constexpr int kSntpClockSet = 0;
inline constexpr int kSntpQueryFailed = 1;
inline constexpr int kSntpSetFailed = 2;

// Sets the clock from the current server by SNTP when "UseSNTP" is 1, else by Daytime.
// Non-zero when the clock was set; keeps the network failure flag. A cancelled query leaves the
// flag as it was.
int SetClockFromNetwork(NetworkTimeContext& context);

// One SNTP query to the server and the setting of the clock from its offset: kSntpClockSet,
// kSntpQueryFailed (no good reply) or kSntpSetFailed (good reply, clock refused).
int SetClockFromSntp(NetworkTimeContext& context, const std::string& server);

} // namespace velarin
