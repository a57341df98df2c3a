#include "engine/ui/GpsConfigurationRules.h"
#include "engine/ui/FileDialogFilter.h"

#include <gtest/gtest.h>

#include <climits>

using namespace velarin;
using namespace velarin::gpsconfig;

TEST(GpsConfigurationRules, SixteenBitSettingsKeepTheLowBits)
{
    EXPECT_EQ(KeepIn16Bits(0), 0);
    EXPECT_EQ(KeepIn16Bits(65535), 65535);
    EXPECT_EQ(KeepIn16Bits(65536), 0);
    EXPECT_EQ(KeepIn16Bits(70000), 4464);
    EXPECT_EQ(KeepIn16Bits(-1), 65535);
    EXPECT_EQ(KeepIn16Bits(INT_MIN), 0);
    EXPECT_EQ(KeepIn16Bits(INT_MAX), 65535);
}

TEST(GpsConfigurationRules, CommPortTextIsANumberOrADevicePath)
{
    CommPortChoice number = CommPortFromText("5", 2);
    EXPECT_EQ(number.port, 5);
    EXPECT_EQ(number.device, "");
    // Any typed number is taken, nonsense reads as 0 (which opens nothing: "not found").
    EXPECT_EQ(CommPortFromText("40", 2).port, 40);
    EXPECT_EQ(CommPortFromText("COM3", 2).port, 0);
    EXPECT_EQ(CommPortFromText("", 2).port, 0);

    CommPortChoice path = CommPortFromText("  /dev/ttyUSB0 ", 2);
    EXPECT_EQ(path.port, 2);
    EXPECT_EQ(path.device, "/dev/ttyUSB0");

    EXPECT_EQ(CommPortText(3, ""), "3");
    EXPECT_EQ(CommPortText(3, "/dev/ttyACM0"), "/dev/ttyACM0");

    const std::vector<std::string> items = CommPortItems({ "/dev/ttyUSB0" });
    ASSERT_EQ(items.size(), 17u);
    EXPECT_EQ(items.front(), "1");
    EXPECT_EQ(items[15], "16");
    EXPECT_EQ(items.back(), "/dev/ttyUSB0");
}

TEST(FileDialogFilter, PairsBecomeNameFilters)
{
    EXPECT_EQ(FileDialogNameFilters("Text Fils (NMEA) (*.txt)|*.txt|All Files (*.*)|*.*||"),
        (std::vector<std::string> { "Text Fils (NMEA) (*.txt)", "All Files (*.*)" }));
    EXPECT_EQ(FileDialogNameFilters("Log Fils (*.log)|*.log|All Files (*.*)|*.*||"),
        (std::vector<std::string> { "Log Fils (*.log)", "All Files (*.*)" }));
    // Patterns not shown in the description are added; ';' lists become blank-separated.
    EXPECT_EQ(FileDialogNameFilters("Captures|*.txt;*.nmea||"),
        (std::vector<std::string> { "Captures (*.txt *.nmea)" }));
    // Without the closing bars, and with a description that has no patterns.
    EXPECT_EQ(FileDialogNameFilters("Logs (*.log)|*.log|Dangling"),
        (std::vector<std::string> { "Logs (*.log)" }));
    EXPECT_TRUE(FileDialogNameFilters("").empty());
    EXPECT_TRUE(FileDialogNameFilters("||A|*.a").empty());
}
