#include "engine/nettime/StoredServerList.h"

#include "engine/nettime/TimeServerList.h"
#include "engine/settings/SettingsKeys.h"

#include <algorithm>

namespace velarin {

std::vector<std::string> ReadStoredServerList(SettingsStore& settings)
{
    const int stored = settings.GetProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, 0);
    const int count = std::clamp(stored, 0, kMaxTimeServers);
    std::vector<std::string> servers;
    servers.reserve(static_cast<size_t>(count));
    for (int slot = 0; slot < count; ++slot)
        servers.push_back(
            settings.GetProfileString(keys::kNetwork, TimeServerSlotKey(slot), "Error"));
    return servers;
}

void StoreServerList(SettingsStore& settings, const std::vector<std::string>& servers)
{
    const int count = std::min(static_cast<int>(servers.size()), kMaxTimeServers);
    settings.WriteProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, count);
    for (int slot = 0; slot < kMaxTimeServers; ++slot) {
        settings.WriteProfileString(keys::kNetwork, TimeServerSlotKey(slot),
            slot < count ? servers[static_cast<size_t>(slot)] : std::string("None"));
    }
}

} // namespace velarin
