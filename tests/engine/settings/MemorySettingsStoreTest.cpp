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

    EXPECT_EQ(ParseProfileInt("-2147483648", 1), -2147483648LL);
    EXPECT_EQ(ParseProfileInt("2147483648", 1), 1);
    EXPECT_EQ(ParseProfileInt("99999999999999999999999", 1), 1);
    EXPECT_EQ(ParseProfileInt("12abc", 1), 1);
    EXPECT_EQ(ParseProfileInt("1.5", 1), 1);
    EXPECT_EQ(ParseProfileInt("", 7), 7);
    EXPECT_EQ(ParseProfileInt("+42", 7), 42);
    EXPECT_EQ(ParseProfileInt("--4", 7), 7);
}

TEST(MemorySettingsStore, FailedWritesReportFailureAndKeepTheOldValue)
{
    MemorySettingsStore store;
    store.WriteProfileInt("Settings", "UseSNTP", 1);
    store.SetWritesFail(true);
    EXPECT_FALSE(store.WriteProfileInt("Settings", "UseSNTP", 0));
    EXPECT_EQ(store.GetProfileInt("Settings", "UseSNTP", 5), 1);
}
