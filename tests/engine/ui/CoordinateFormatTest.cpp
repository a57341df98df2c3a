#include "engine/ui/CoordinateFormat.h"
#include "engine/settings/MemorySettingsStore.h"
#include "engine/settings/SettingsKeys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace velarin;

TEST(CoordinateFormat, EveryFormatHemisphereAndRounding)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Latitude or longitude, value, format, text. Minutes that round to sixty carry into the
    // degrees; an unknown format is "ERROR" for latitudes and empty for longitudes.
    const std::tuple<bool, double, int, const char*> cases[] = {
        { true, 47.6062, 0, "N 47° 36.3720" },
        { false, -122.3321, 0, "W 122° 19.9260" },
        { true, -5.5, 0, "S 05° 30.0000" },
        { false, 7.25, 0, "E 007° 15.0000" },
        { false, -122.3321, 1, "W 122° 19' 55.560" },
        { true, 47.6062, 1, "N 47° 36' 22.320" },
        { true, 1.0 / 60.0 / 60.0, 1, "N 00° 00' 01.002" },
        { true, 47.6062, 2, "N 47.6062000000°" },
        { false, -122.3321, 2, "W 122.3321000000°" },
        { false, 8.5, 2, "E 008.5000000000°" },
        { true, 0.0, 0, "N 00° 00.0000" },
        { true, -0.000001, 0, "S 00° 00.0001" },
        { false, 0.0, 1, "E 000° 00' 00.000" },
        { true, 0.99999999, 0, "N 01° 00.0000" },
        { false, -179.99999999, 1, "W 180° 00' 00.000" },
        { true, 89.999999999, 0, "N 90° 00.0000" },
        { true, 47.6062, 5, "ERROR" },
        { false, -122.3321, 5, "" },
        { true, 47.6062, -1, "ERROR" },
    };
    for (auto [latitude, value, format, text] : cases)
        EXPECT_EQ(latitude ? FormatLatitude(value, format) : FormatLongitude(value, format), text);
    // Not below zero: the positive letter; the number itself is never converted to an integer.
    EXPECT_EQ(FormatLatitude(nan, 0).substr(0, 2), "N ");
    EXPECT_EQ(FormatLongitude(-std::numeric_limits<double>::infinity(), 0).substr(0, 2), "W ");
}

TEST(CoordinateFormat, AltitudeInFeetOrMetres)
{
    EXPECT_EQ(FormatAltitude(100.0, 0), "100.00   m       ");
    EXPECT_EQ(FormatAltitude(100.0, 1), "328.08   ft       ");
    EXPECT_EQ(FormatAltitude(100.0, 2), "100.00   m       ");
    EXPECT_EQ(FormatAltitude(-12.345, 0), "-12.35   m       ");
    EXPECT_EQ(FormatAltitude(123456.0, 0), "123456.00 m       ");
    // Huge values are printed whole, not cut off.
    EXPECT_EQ(FormatAltitude(1e300, 0).size(), 301u + 3 + 2 + 7);
}

TEST(CoordinateFormat, SettingsAreReadAtEveryCall)
{
    MemorySettingsStore store;
    EXPECT_EQ(FormatLatitude(47.6062, store), "N 47° 36.3720");
    EXPECT_EQ(FormatAltitude(100.0, store), "328.08   ft       ");
    store.WriteProfileInt(keys::kSettings, keys::kPositionFormat, 1);
    store.WriteProfileInt(keys::kSettings, keys::kUnits, 0);
    EXPECT_EQ(FormatLongitude(-122.3321, store), "W 122° 19' 55.560");
    EXPECT_EQ(FormatAltitude(100.0, store), "100.00   m       ");
    store.WriteProfileInt(keys::kSettings, keys::kPositionFormat, 5);
    EXPECT_EQ(FormatLatitude(1.0, store), "ERROR");
    EXPECT_EQ(FormatLongitude(1.0, store), "");
    EXPECT_EQ(store.WriteCount(), 3u);
}
