#include "engine/nettime/TimeServerList.h"

#include "engine/settings/SettingsKeys.h"

#include <cstdio>

namespace velarin {

std::string TimeServerSlotKey(int slot)
{
    char key[24];
    std::snprintf(key, sizeof key, "NetServer-%02d", slot);
    return key;
}

int FirstRandomAfterSeed(uint32_t seed)
{
    const uint32_t next = seed * 214013u + 2531011u;
    return static_cast<int>((next >> 16) & 0x7FFF);
}

std::string LoadCurrentTimeServer(SettingsStore& settings, uint32_t tickCount)
{
    std::array<std::string, kMaxTimeServers> servers;
    for (size_t i = 0; i < kDefaultTimeServers.size(); ++i)
        servers[i] = kDefaultTimeServers[i];

    int count = settings.GetProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, 0);
    bool seeded = false;
    if (count <= 0) {
        seeded = true;
        count = static_cast<int>(kDefaultTimeServers.size());
        for (int i = 0; i < count; ++i) {
            settings.WriteProfileString(keys::kNetwork, TimeServerSlotKey(i), servers[i]);
            settings.WriteProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, count);
        }
        for (int i = count; i < kMaxTimeServers; ++i)
            settings.WriteProfileString(keys::kNetwork, TimeServerSlotKey(i), "None");
    } else {
        if (count > kMaxTimeServers)
            count = kMaxTimeServers;
        for (int i = 0; i < count; ++i)
            servers[i] = settings.GetProfileString(keys::kNetwork, TimeServerSlotKey(i), "Error");
    }

    const std::string random = servers[FirstRandomAfterSeed(tickCount) % count];
    if (settings.GetProfileInt(keys::kNetwork, keys::kUseRandomServer, 0) != 0)
        return random;
    if (seeded)
        settings.WriteProfileString(keys::kNetwork, keys::kTimeServer, random);
    return settings.GetProfileString(keys::kNetwork, keys::kTimeServer, random);
}

} // namespace velarin
