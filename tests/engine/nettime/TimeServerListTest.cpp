#include "engine/nettime/TimeServerList.h"
#include "engine/nettime/StoredServerList.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace velarin {
namespace {

using Names = std::vector<std::string>;
const char* kSection = keys::kNetwork;
const Names kDefaults(kDefaultTimeServers.begin(), kDefaultTimeServers.end());

bool isDefault(const std::string& name)
{
    return std::find(kDefaults.begin(), kDefaults.end(), name) != kDefaults.end();
}

std::string slot(MemorySettingsStore& settings, int slot)
{
    return settings.GetProfileString(kSection, TimeServerSlotKey(slot), "<absent>");
}

int count(MemorySettingsStore& settings)
{
    return settings.GetProfileInt(kSection, keys::kNumberOfTimeServers, -1);
}

// A store listing `count` servers, choosing at random, with the first slots filled.
void storeList(MemorySettingsStore& store, int count, const Names& servers = {})
{
    for (size_t i = 0; i < servers.size(); ++i)
        store.WriteProfileString(kSection, TimeServerSlotKey(int(i)), servers[i]);
    store.WriteProfileInt(kSection, keys::kNumberOfTimeServers, count);
    store.WriteProfileInt(kSection, keys::kUseRandomServer, 1);
}

TEST(TimeServerList, FirstRunSeedsTheStoreAndPicksADefaultOnce)
{
    MemorySettingsStore store;
    const std::string chosen = LoadCurrentTimeServer(store, 12345);
    EXPECT_EQ(chosen, kDefaultTimeServers[FirstRandomAfterSeed(12345) % 5]);
    EXPECT_EQ(store.GetProfileString(kSection, keys::kTimeServer, ""), chosen);
    EXPECT_EQ(ReadStoredServerList(store), kDefaults);
    for (int i = 5; i < kMaxTimeServers; ++i)
        EXPECT_EQ(slot(store, i), "None");
    EXPECT_EQ(slot(store, 25), "<absent>");
    EXPECT_EQ(TimeServerSlotKey(7), "NetServer-07");
    // The seeding happens once: the next call keeps the stored choice.
    EXPECT_EQ(LoadCurrentTimeServer(store, 999), chosen);
}

TEST(TimeServerList, RandomChoiceIsReseededFromTheTickAndLeavesTimeServerAlone)
{
    // The generator is the classic one: seed 1 gives 41 first.
    EXPECT_EQ(FirstRandomAfterSeed(1), 41);
    MemorySettingsStore store;
    storeList(store, 3, { "a.example", "b.example", "c.example" });
    store.WriteProfileString(kSection, keys::kTimeServer, "mine.example");
    std::set<std::string> seen;
    for (uint32_t tick = 0; tick < 50; ++tick) {
        const std::string pick = LoadCurrentTimeServer(store, tick);
        EXPECT_EQ(pick, LoadCurrentTimeServer(store, tick)) << "same tick, same pick";
        seen.insert(pick);
    }
    EXPECT_EQ(seen, (std::set<std::string> { "a.example", "b.example", "c.example" }));
    EXPECT_EQ(store.GetProfileString(kSection, keys::kTimeServer, ""), "mine.example");

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
    sparse.WriteProfileString(kSection, TimeServerSlotKey(0), "Error");
    for (uint32_t tick = 0; tick < 10; ++tick)
        EXPECT_EQ(LoadCurrentTimeServer(sparse, tick), "Error");

    // Above 25: only the 25 slots are read.
    MemorySettingsStore big;
    storeList(big, 1000, Names(25, "in.example"));
    for (int i = 25; i < 30; ++i)
        big.WriteProfileString(kSection, TimeServerSlotKey(i), "out.example");
    for (uint32_t tick = 0; tick < 200; ++tick)
        EXPECT_EQ(LoadCurrentTimeServer(big, tick), "in.example");
    const Names many = ReadStoredServerList(big);
    ASSERT_EQ(many.size(), 25u);
    EXPECT_EQ(many.back(), "in.example");

    // Negative: nothing to read, and the list is seeded as on a first run.
    MemorySettingsStore negative;
    storeList(negative, -3);
    EXPECT_TRUE(ReadStoredServerList(negative).empty());
    EXPECT_TRUE(isDefault(LoadCurrentTimeServer(negative, 3)));
    EXPECT_EQ(count(negative), 5);
}

TEST(StoredServerList, StoringWritesTheCountAndAllTwentyFiveSlotsAndAnEmptyListIsSeededAgain)
{
    MemorySettingsStore settings;
    EXPECT_TRUE(ReadStoredServerList(settings).empty());
    StoreServerList(settings, Names { "a.example", "b.example", "c.example" });
    EXPECT_EQ(count(settings), 3);
    for (int i = 3; i < 25; ++i)
        EXPECT_EQ(slot(settings, i), "None") << i;
    EXPECT_EQ(slot(settings, 25), "<absent>");
    EXPECT_EQ(ReadStoredServerList(settings), (Names { "a.example", "b.example", "c.example" }));

    StoreServerList(settings, Names {});
    EXPECT_EQ(count(settings), 0);
    EXPECT_EQ(slot(settings, 0), "None");
    const std::string chosen = LoadCurrentTimeServer(settings, 1234);
    EXPECT_EQ(ReadStoredServerList(settings), kDefaults);
    EXPECT_TRUE(isDefault(chosen));
}

} // namespace
} // namespace velarin
