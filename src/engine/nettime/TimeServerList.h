#pragma once

#include "platform/SettingsStore.h"

#include <array>
#include <cstdint>
#include <string>

namespace velarin {

inline constexpr int kMaxTimeServers = 25;

// Five public servers that answer both Daytime (TCP 13) and SNTP (UDP 123), in the order a
// fresh list holds them.
inline constexpr std::array<const char*, 5> kDefaultTimeServers = {
    "time-a-g.nist.gov",
    "time-b-g.nist.gov",
    "time-a-wwv.nist.gov",
    "time-b-wwv.nist.gov",
    "time-a-b.nist.gov",
};

// The slot key "NetServer-%02d" of slot 0..24.
std::string TimeServerSlotKey(int slot);

// The pseudo-random number 0..32767 that the C library's generator gives first after being
// seeded with seed (the classic linear congruential generator, so a pick is reproducible).
int FirstRandomAfterSeed(uint32_t seed);

// Decides which server the next network query uses, seeding the stored list on first use.
// tickCount is the millisecond tick that seeds the random pick (two calls in the same tick pick
// the same server). A stored count of 0 or less is treated as a list never seeded; one above 25
// as 25.
std::string LoadCurrentTimeServer(SettingsStore& settings, uint32_t tickCount);

} // namespace velarin
