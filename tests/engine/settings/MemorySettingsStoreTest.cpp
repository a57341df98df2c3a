#include "engine/settings/MemorySettingsStore.h"
#include "base/ProfileText.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(MemorySettingsStore, ReadsDefaultsWithoutWritingAndRoundTrips)
{
    MemorySettingsStore store;
    EXPECT_EQ(store.GetProfileInt("Settings", "TimeUpdateRate", 60), 60);
    EXPECT_EQ(store.GetProfileString("Network Daytime Protocol", "TimeServer", "x"), "x");
    EXPECT_EQ(store.WriteCount(), 0u);
    EXPECT_FALSE(store.Contains("Settings", "TimeUpdateRate"));

    EXPECT_TRUE(store.WriteProfileInt("Settings", "TimeUpdateRate", -5));
    EXPECT_EQ(store.GetProfileInt("Settings", "TimeUpdateRate", 60), -5);
    EXPECT_TRUE(store.WriteProfileString("Serial Port Commmunications", "Device", "/dev/ttyUSB0"));
    EXPECT_EQ(store.GetProfileString("Serial Port Commmunications", "Device", ""), "/dev/ttyUSB0");
    // Sections are separate namespaces.
    EXPECT_EQ(store.GetProfileString("Settings", "Device", "none"), "none");
}

TEST(MemorySettingsStore, TextThatIsNotAnIntegerReadsAsTheDefault)
{
    MemorySettingsStore store;
    store.WriteProfileString("Settings", "TLSats", "lots");
    EXPECT_EQ(store.GetProfileInt("Settings", "TLSats", 3), 3);
    store.WriteProfileString("Settings", "TLSats", " 70000 ");
    EXPECT_EQ(store.GetProfileInt("Settings", "TLSats", 3), 70000);

    const std::pair<const char*, long long> parsed[]
        = { { "-2147483648", -2147483648LL }, { "2147483648", 7 }, { "99999999999999999999999", 7 },
              { "12abc", 7 }, { "1.5", 7 }, { "", 7 }, { "+42", 42 }, { "--4", 7 } };
    for (auto [text, value] : parsed)
        EXPECT_EQ(ParseProfileInt(text, 7), value) << text;
}

TEST(MemorySettingsStore, FailedWritesReportFailureAndKeepTheOldValue)
{
    MemorySettingsStore store;
    store.WriteProfileInt("Settings", "UseSNTP", 1);
    store.SetWritesFail(true);
    EXPECT_FALSE(store.WriteProfileInt("Settings", "UseSNTP", 0));
    EXPECT_EQ(store.GetProfileInt("Settings", "UseSNTP", 5), 1);
}
