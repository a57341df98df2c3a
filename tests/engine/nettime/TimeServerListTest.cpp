#include "engine/nettime/TimeServerList.h"
#include "engine/nettime/StoredServerList.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"
#include "engine/ui/ListBoxSearch.h"
#include "engine/ui/ServerListEditor.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace velarin {
namespace {

using Names = std::vector<std::string>;
const char* kSection = keys::kNetwork;
const Names kDefaults(kDefaultTimeServers.begin(), kDefaultTimeServers.end());

// A store listing `count` servers, choosing at random, with the first slots filled.
void storeList(MemorySettingsStore& store, int count, const Names& servers = {})
{
    for (size_t i = 0; i < servers.size(); ++i)
        store.WriteProfileString(kSection, TimeServerSlotKey(int(i)), servers[i]);
    store.WriteProfileInt(kSection, keys::kNumberOfTimeServers, count);
    store.WriteProfileInt(kSection, keys::kUseRandomServer, 1);
}

TEST(TimeServerList, FirstRunSeedsOnceThenTheChoiceIsRandomOrFixed)
{
    MemorySettingsStore store;
    const std::string chosen = LoadCurrentTimeServer(store, 12345);
    EXPECT_EQ(chosen, kDefaultTimeServers[FirstRandomAfterSeed(12345) % 5]);
    EXPECT_EQ(store.GetProfileString(kSection, keys::kTimeServer, ""), chosen);
    EXPECT_EQ(ReadStoredServerList(store), kDefaults);
    for (int i = 5; i < kMaxTimeServers; ++i)
        EXPECT_EQ(store.GetProfileString(kSection, TimeServerSlotKey(i), "<absent>"), "None");
    // The seeding happens once: the next call keeps the stored choice.
    EXPECT_EQ(LoadCurrentTimeServer(store, 999), chosen);

    // A random choice is reseeded from the tick and leaves "TimeServer" alone.
    MemorySettingsStore random;
    storeList(random, 3, { "a.example", "b.example", "c.example" });
    random.WriteProfileString(kSection, keys::kTimeServer, "mine.example");
    std::set<std::string> seen;
    for (uint32_t tick = 0; tick < 50; ++tick)
        seen.insert(LoadCurrentTimeServer(random, tick));
    EXPECT_EQ(seen, (std::set<std::string> { "a.example", "b.example", "c.example" }));
    EXPECT_EQ(random.GetProfileString(kSection, keys::kTimeServer, ""), "mine.example");

    // Without random choice the stored one wins, and an absent one is not written.
    MemorySettingsStore fixed;
    storeList(fixed, 2, { "a.example", "b.example" });
    fixed.WriteProfileInt(kSection, keys::kUseRandomServer, 0);
    const std::string pick = LoadCurrentTimeServer(fixed, 7);
    EXPECT_TRUE(pick == "a.example" || pick == "b.example");
    EXPECT_FALSE(fixed.Contains(kSection, keys::kTimeServer));
    fixed.WriteProfileString(kSection, keys::kTimeServer, "elsewhere.example");
    EXPECT_EQ(LoadCurrentTimeServer(fixed, 7), "elsewhere.example");
}

TEST(TimeServerList, CountsOutsideTheListAreBoundedWhenChoosingAndReading)
{
    // Listed but absent slots read as "Error".
    MemorySettingsStore sparse;
    storeList(sparse, 2, { "listed.example" });
    EXPECT_EQ(ReadStoredServerList(sparse), (Names { "listed.example", "Error" }));

    // Above 25: only the 25 slots are read.
    MemorySettingsStore big;
    storeList(big, 1000, Names(25, "in.example"));
    for (int i = 25; i < 30; ++i)
        big.WriteProfileString(kSection, TimeServerSlotKey(i), "out.example");
    for (uint32_t tick = 0; tick < 200; ++tick)
        EXPECT_EQ(LoadCurrentTimeServer(big, tick), "in.example");
    EXPECT_EQ(ReadStoredServerList(big).size(), 25u);

    // Negative: nothing to read, and the list is seeded as on a first run.
    MemorySettingsStore negative;
    storeList(negative, -3);
    EXPECT_TRUE(ReadStoredServerList(negative).empty());
    const std::string chosen = LoadCurrentTimeServer(negative, 3);
    EXPECT_NE(std::find(kDefaults.begin(), kDefaults.end(), chosen), kDefaults.end()) << chosen;
    EXPECT_EQ(negative.GetProfileInt(kSection, keys::kNumberOfTimeServers, -1), 5);
}

TEST(ListBoxSearch, SearchesByPrefixFromAfterTheGivenItem)
{
    // Sorting and whole-name lookup are driven through the server list dialog's tests.
    EXPECT_EQ(SortedInsertPosition({ "alpha", "Beta", "gamma" }, "BETA"), 2u) << "after equals";
    // Past "Time-c" the search wraps round to the top; the start item is searched last; a start
    // beyond the list searches from the top; an empty name names no server.
    const Names items { "time-a", "time-b", "Time-c", "other" };
    const std::tuple<const char*, int, int> prefixes[] = { { "time", -1, 0 }, { "TIME", 0, 1 },
        { "time", 2, 0 }, { "time-c", 2, 2 }, { "time-a", 0, 0 }, { "time-d", -1, -1 },
        { "time-a-longer", -1, -1 }, { "time", 99, 0 }, { "", -1, -1 } };
    for (auto [prefix, start, found] : prefixes)
        EXPECT_EQ(FindStringPrefix(items, prefix, start), found) << prefix << " " << start;
    EXPECT_EQ(FindServerInList({ "ntp1", "ntp1.example.org", "ntp2" }, "ntp1"), 0);
}

} // namespace
} // namespace velarin
