#pragma once

#include "platform/SettingsStore.h"

#include <string>
#include <vector>

namespace velarin {

// The server list as the editor and the network page read it: "NumberOfTimeServers" entries of
// "NetServer-%02d" (a missing slot reads "Error"). A count below 0 reads as an empty list and
// one above 25 as 25, so that nothing outside the 25 slots is ever read.
std::vector<std::string> ReadStoredServerList(SettingsStore& settings);

// Stores a whole list: the count, the names in order, and "None" in every slot after them up to
// slot 24, so the store always holds 25 entries. Names beyond the 25th are not stored.
void StoreServerList(SettingsStore& settings, const std::vector<std::string>& servers);

} // namespace velarin
