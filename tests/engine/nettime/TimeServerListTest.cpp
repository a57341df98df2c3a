#include "engine/nettime/TimeServerList.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

using namespace velarin;

namespace {
const char* kSection = keys::kNetwork;

bool isDefault(const std::string& name)
{
    return std::find(kDefaultTimeServers.begin(), kDefaultTimeServers.end(), name)
        != kDefaultTimeServers.end();
}

void storeList(MemorySettingsStore& store, std::initializer_list<const char*> servers)
{
    int i = 0;
    for (const char* server : servers)
        store.WriteProfileString(kSection, TimeServerSlotKey(i++), server);
    store.WriteProfileInt(kSection, keys::kNumberOfTimeServers, i);
}
} // namespace

TEST(TimeServerList, FirstRunSeedsTheStoreAndPicksADefault)
{
    MemorySettingsStore store;
    const std::string chosen = LoadCurrentTimeServer(store, 12345);
    EXPECT_TRUE(isDefault(chosen));
    EXPECT_EQ(chosen, kDefaultTimeServers[FirstRandomAfterSeed(12345) % 5]);
    EXPECT_EQ(store.GetProfileString(kSection, keys::kTimeServer, ""), chosen);
    EXPECT_EQ(store.GetProfileInt(kSection, keys::kNumberOfTimeServers, 0), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(
            store.GetProfileString(kSection, TimeServerSlotKey(i), ""), kDefaultTimeServers[i]);
    for (int i = 5; i < kMaxTimeServers; ++i)
        EXPECT_EQ(store.GetProfileString(kSection, TimeServerSlotKey(i), ""), "None");
    EXPECT_FALSE(store.Contains(kSection, "NetServer-25"));
    EXPECT_EQ(TimeServerSlotKey(7), "NetServer-07");

    // The seeding happens once: the next call keeps the stored choice.
    EXPECT_EQ(LoadCurrentTimeServer(store, 999), chosen);
}

TEST(TimeServerList, RandomChoiceIsReseededFromTheTickAndLeavesTimeServerAlone)
{
    // The generator is the classic one: seed 1 gives 41 first.
    EXPECT_EQ(FirstRandomAfterSeed(1), 41);
    MemorySettingsStore store;
    storeList(store, { "a.example", "b.example", "c.example" });
    store.WriteProfileInt(kSection, keys::kUseRandomServer, 1);
    store.WriteProfileString(kSection, keys::kTimeServer, "mine.example");
    std::set<std::string> seen;
    for (uint32_t tick = 0; tick < 50; ++tick) {
        const std::string pick = LoadCurrentTimeServer(store, tick);
        EXPECT_EQ(pick, LoadCurrentTimeServer(store, tick)) << "same tick, same pick";
        seen.insert(pick);
    }
    EXPECT_EQ(seen, (std::set<std::string> { "a.example", "b.example", "c.example" }));
    EXPECT_EQ(store.GetProfileString(kSection, keys::kTimeServer, ""), "mine.example");
}

TEST(TimeServerList, StoredChoiceWinsAndAnAbsentOneIsNotWritten)
{
    MemorySettingsStore store;
    storeList(store, { "a.example", "b.example" });
    const std::string pick = LoadCurrentTimeServer(store, 7);
    EXPECT_TRUE(pick == "a.example" || pick == "b.example");
    EXPECT_FALSE(store.Contains(kSection, keys::kTimeServer));

    store.WriteProfileString(kSection, keys::kTimeServer, "elsewhere.example");
    EXPECT_EQ(LoadCurrentTimeServer(store, 7), "elsewhere.example");
}

TEST(TimeServerList, CountsOutsideTheListAreBounded)
{
    // Listed but absent slots read as "Error".
    MemorySettingsStore sparse;
    sparse.WriteProfileInt(kSection, keys::kNumberOfTimeServers, 2);
    sparse.WriteProfileInt(kSection, keys::kUseRandomServer, 1);
    for (uint32_t tick = 0; tick < 10; ++tick)
        EXPECT_EQ(LoadCurrentTimeServer(sparse, tick), "Error");

    // Above 25: only the 25 slots are read.
    MemorySettingsStore big;
    big.WriteProfileInt(kSection, keys::kNumberOfTimeServers, 1000);
    big.WriteProfileInt(kSection, keys::kUseRandomServer, 1);
    for (int i = 0; i < 30; ++i)
        big.WriteProfileString(
            kSection, TimeServerSlotKey(i), i < 25 ? "in.example" : "out.example");
    for (uint32_t tick = 0; tick < 200; ++tick)
        EXPECT_EQ(LoadCurrentTimeServer(big, tick), "in.example");

    // Negative: the list is seeded as on a first run.
    MemorySettingsStore negative;
    negative.WriteProfileInt(kSection, keys::kNumberOfTimeServers, -3);
    EXPECT_TRUE(isDefault(LoadCurrentTimeServer(negative, 3)));
    EXPECT_EQ(negative.GetProfileInt(kSection, keys::kNumberOfTimeServers, 0), 5);
}
