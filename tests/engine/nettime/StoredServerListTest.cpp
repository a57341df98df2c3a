#include "engine/nettime/StoredServerList.h"
#include "engine/nettime/TimeServerList.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velarin {
namespace {

using Names = std::vector<std::string>;

std::string Slot(MemorySettingsStore& settings, int slot)
{
    return settings.GetProfileString(keys::kNetwork, TimeServerSlotKey(slot), "<absent>");
}

TEST(StoredServerList, StoringWritesTheCountAndAllTwentyFiveSlots)
{
    MemorySettingsStore settings;
    StoreServerList(settings, Names { "a.example", "b.example", "c.example" });
    EXPECT_EQ(settings.GetProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, -1), 3);
    EXPECT_EQ(Slot(settings, 0), "a.example");
    EXPECT_EQ(Slot(settings, 2), "c.example");
    for (int slot = 3; slot < 25; ++slot)
        EXPECT_EQ(Slot(settings, slot), "None") << slot;
    EXPECT_EQ(Slot(settings, 25), "<absent>");
    EXPECT_EQ(ReadStoredServerList(settings), (Names { "a.example", "b.example", "c.example" }));
}

TEST(StoredServerList, ReadingStaysInsideTheTwentyFiveSlots)
{
    MemorySettingsStore settings;
    EXPECT_TRUE(ReadStoredServerList(settings).empty());

    settings.WriteProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, 2);
    settings.WriteProfileString(keys::kNetwork, TimeServerSlotKey(0), "listed.example");
    EXPECT_EQ(ReadStoredServerList(settings), (Names { "listed.example", "Error" }));

    settings.WriteProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, 1000);
    settings.WriteProfileString(keys::kNetwork, TimeServerSlotKey(25), "beyond.example");
    const Names many = ReadStoredServerList(settings);
    ASSERT_EQ(many.size(), 25u);
    EXPECT_EQ(many.back(), "Error");

    settings.WriteProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, -4);
    EXPECT_TRUE(ReadStoredServerList(settings).empty());
}

TEST(StoredServerList, AnEmptiedListIsSeededAgainAtTheNextServerChoice)
{
    MemorySettingsStore settings;
    StoreServerList(settings, Names {});
    EXPECT_EQ(settings.GetProfileInt(keys::kNetwork, keys::kNumberOfTimeServers, -1), 0);
    EXPECT_EQ(Slot(settings, 0), "None");

    const std::string chosen = LoadCurrentTimeServer(settings, 1234);
    const Names seeded = ReadStoredServerList(settings);
    EXPECT_EQ(seeded, Names(kDefaultTimeServers.begin(), kDefaultTimeServers.end()));
    EXPECT_NE(std::find(seeded.begin(), seeded.end(), chosen), seeded.end());
}

} // namespace
} // namespace velarin
