#include "engine/gps/CNmeaParser.h"
#include "engine/gps/NmeaConversions.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace velarin {
namespace {

class NmeaDecodersTest : public ::testing::Test {
protected:
    void feed(const std::string& content) { parser->ProcessBytes(test::NmeaSentence(content)); }
    std::unique_ptr<CNmeaParser> parser = std::make_unique<CNmeaParser>();
};

TEST(NmeaConversionsTest, Numbers)
{
    EXPECT_EQ(nmea::ToInt("08"), 8);
    EXPECT_EQ(nmea::ToInt("-12x"), -12);
    EXPECT_EQ(nmea::ToInt(" +7"), 7);
    EXPECT_EQ(nmea::ToInt("x1"), 0);
    EXPECT_EQ(nmea::ToInt(""), 0);
    EXPECT_EQ(nmea::ToInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(nmea::ToInt("-99999999999999999999"), -2147483647 - 1);
    EXPECT_EQ(nmea::ToReal("545.4"), 545.4);
    EXPECT_EQ(nmea::ToReal("-0.5M"), -0.5);
    EXPECT_EQ(nmea::ToReal(".25"), 0.25);
    EXPECT_EQ(nmea::ToReal("7."), 7.0);
    EXPECT_EQ(nmea::ToReal("."), 0.0);
    EXPECT_EQ(nmea::ToReal("1e300"), 1.0); // no exponents: the number ends at "e"
    EXPECT_EQ(nmea::ToReal("inf"), 0.0);
    EXPECT_EQ(nmea::ToReal("nan"), 0.0);
    EXPECT_EQ(nmea::ToReal("0x10"), 0.0);
    EXPECT_EQ(nmea::Pair("123519.50", 4), 19);
    EXPECT_EQ(nmea::Pair("1", 0), 1);
    EXPECT_EQ(nmea::Pair("1", 2), 0);
    EXPECT_EQ(nmea::Pair("12345", 4), 5);
    EXPECT_EQ(nmea::Digit(""), static_cast<uint8_t>(0 - '0'));
}

TEST_F(NmeaDecodersTest, GgaPositionTimeAndSatellites)
{
    feed("GPGGA,123519.50,4807.038,N,01131.000,W,1,08,0.9,545.4,M,46.9,M,,");
    const GgaData& gga = parser->GetGga();
    EXPECT_EQ(gga.hour, 12);
    EXPECT_EQ(gga.minute, 35);
    EXPECT_EQ(gga.second, 19);
    EXPECT_NEAR(gga.latitude, 48.1173, 1e-12);
    EXPECT_NEAR(gga.longitude, -11.516666666666667, 1e-12);
    EXPECT_EQ(gga.fixQuality, 1);
    EXPECT_EQ(gga.satellites, 8);
    EXPECT_DOUBLE_EQ(gga.hdop, 0.9);
    EXPECT_DOUBLE_EQ(gga.altitude, 545.4);

    feed("GPGGA,,4807.038,S,,,,123,,,M,,M,,");
    EXPECT_NEAR(gga.latitude, -48.1173, 1e-12);
    EXPECT_EQ(gga.satellites, 12); // two characters only
    EXPECT_EQ(gga.hour, 12); // empty: unchanged
    EXPECT_EQ(gga.fixQuality, 1);
    EXPECT_DOUBLE_EQ(gga.altitude, 545.4);
    EXPECT_EQ(gga.count, 2u);
}

TEST_F(NmeaDecodersTest, HemisphereActsOnTheHeldValue)
{
    feed("GPGGA,,4807.038,N,01131.000,E,,,,");
    feed("GPGGA,,,S,,W,,,,");
    EXPECT_NEAR(parser->GetGga().latitude, -48.1173, 1e-12);
    EXPECT_NEAR(parser->GetGga().longitude, -11.516666666666667, 1e-12);
    feed("GPGGA,,,S,,W,,,,");
    EXPECT_NEAR(parser->GetGga().latitude, 48.1173, 1e-12);
}

TEST_F(NmeaDecodersTest, GgaVerticalRate)
{
    feed("GPGGA,120000,,,,,1,05,,100.0,M,,M,,");
    feed("GPGGA,120100,,,,,1,05,,130.0,M,,M,,");
    EXPECT_DOUBLE_EQ(parser->GetGga().verticalRate, 30.0);
    // Ten seconds apart, climbing 5 m: 30 m per minute, in real arithmetic.
    feed("GPGGA,120110,,,,,1,05,,135.0,M,,M,,");
    EXPECT_DOUBLE_EQ(parser->GetGga().verticalRate, 30.0);
    // Same second: the rate stays, the remembered altitude moves.
    feed("GPGGA,120110,,,,,1,05,,200.0,M,,M,,");
    EXPECT_DOUBLE_EQ(parser->GetGga().verticalRate, 30.0);
    feed("GPGGA,120111,,,,,1,05,,199.0,M,,M,,");
    EXPECT_DOUBLE_EQ(parser->GetGga().verticalRate, -60.0);
    // Minute counter wrapped at the hour: unchanged.
    feed("GPGGA,130000,,,,,1,05,,500.0,M,,M,,");
    EXPECT_DOUBLE_EQ(parser->GetGga().verticalRate, -60.0);
    EXPECT_EQ(parser->GetGga().rememberedTime, 0);
}

TEST_F(NmeaDecodersTest, GsaFieldsAndDefaults)
{
    feed("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
    const GsaData& gsa = parser->GetGsa();
    EXPECT_EQ(gsa.mode, 'A');
    EXPECT_EQ(gsa.fixType, 3);
    const uint16_t used[12] = { 4, 5, 0, 9, 12, 0, 0, 24, 0, 0, 0, 0 };
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(gsa.used[i], used[i]) << i;
    EXPECT_DOUBLE_EQ(gsa.pdop, 2.5);
    EXPECT_DOUBLE_EQ(gsa.vdop, 2.1);
    feed("GPGSA,,,99");
    EXPECT_EQ(gsa.mode, 'A');
    EXPECT_EQ(gsa.fixType, 3);
    EXPECT_EQ(gsa.used[0], 99);
    EXPECT_EQ(gsa.used[1], 0);
    EXPECT_EQ(gsa.pdop, 0.0);
    EXPECT_EQ(gsa.count, 2u);
}

TEST_F(NmeaDecodersTest, GsvMessagesFillTheirEntries)
{
    feed("GPGSA,A,3,07,02,,,,,,,,,,,,,");
    feed("GPGSV,3,1,10,07,79,048,42,02,51,062,43,26,36,256,42,27,27,138,42");
    feed("GPGSV,3,2,10,09,23,313,42,04,19,159,41,15,12,041,42,28,05,000,");
    feed("GPGSV,3,3,10,08,02,214,,10,01,100,33");
    const GsvData& gsv = parser->GetGsv();
    EXPECT_EQ(gsv.inView, 10);
    EXPECT_EQ(gsv.count, 3u);
    EXPECT_EQ(gsv.satellites[0].prn, 7);
    EXPECT_EQ(gsv.satellites[0].elevation, 79);
    EXPECT_EQ(gsv.satellites[0].azimuth, 48);
    EXPECT_EQ(gsv.satellites[0].snr, 42);
    EXPECT_EQ(gsv.satellites[0].used, 1u);
    EXPECT_EQ(gsv.satellites[1].used, 1u);
    EXPECT_EQ(gsv.satellites[2].used, 0u);
    EXPECT_EQ(gsv.satellites[7].prn, 28);
    EXPECT_EQ(gsv.satellites[7].snr, 0); // trailing empty
    EXPECT_EQ(gsv.satellites[8].prn, 8);
    EXPECT_EQ(gsv.satellites[8].snr, 0);
    EXPECT_EQ(gsv.satellites[9].snr, 33);

    // A later set of 3 with two satellites in its last message zeroes entries 10 and 11 and
    // leaves a fourth message's entries from an earlier, larger set alone.
    feed("GPGSV,4,4,14,30,10,100,20,31,11,110,21,32,12,120,22,33,13,130,23");
    feed("GPGSV,3,3,10,08,02,214,,10,01,100,33");
    EXPECT_EQ(gsv.satellites[10].prn, 0);
    EXPECT_EQ(gsv.satellites[11].prn, 0);
    EXPECT_EQ(gsv.satellites[11].azimuth, 0);
    EXPECT_EQ(gsv.satellites[12].prn, 30);
    EXPECT_EQ(gsv.satellites[15].snr, 23);
    EXPECT_EQ(gsv.inView, 10);
}

TEST_F(NmeaDecodersTest, GsvUnusableCountOrNumberChangesNothing)
{
    for (const char* content : { "GPGSV,9,1,40,01,01,001,01", "GPGSV,0,1,40,01,01,001,01",
             "GPGSV,,1,40,01,01,001,01", "GPGSV,3,,40,01,01,001,01", "GPGSV,3,0,40,01,01,001,01",
             "GPGSV,3,10,40,01,01,001,01", "GPGSV,-1,1,40,01,01,001,01", "GPGSV,", "GPGSV,3" }) {
        feed(content);
    }
    EXPECT_EQ(parser->GetGsv().count, 0u);
    EXPECT_EQ(parser->GetGsv().inView, 0);
    EXPECT_EQ(parser->GetGsv().satellites[0].prn, 0);
    // Message 9 of 8 is accepted and writes the last four entries of the array.
    feed("GPGSV,8,9,40,01,02,003,04,05,06,007,08,09,10,011,12,13,14,015,16");
    EXPECT_EQ(parser->GetGsv().count, 1u);
    EXPECT_EQ(parser->GetGsv().satellites[35].prn, 13);
    EXPECT_EQ(parser->GetGsv().inView, 40);
}

TEST_F(NmeaDecodersTest, RmbFieldsAndDefaults)
{
    feed("GPRMB,A,0.66,L,003,004,4917.24,S,12309.57,W,001.3,052.5,000.5,V");
    const RmbData& rmb = parser->GetRmb();
    EXPECT_EQ(rmb.status, 'A');
    EXPECT_DOUBLE_EQ(rmb.crossTrackError, 0.66);
    EXPECT_EQ(rmb.steer, 'L');
    EXPECT_STREQ(rmb.originId, "003");
    EXPECT_STREQ(rmb.destinationId, "004");
    EXPECT_NEAR(rmb.destinationLatitude, -49.287333333333333, 1e-12);
    EXPECT_NEAR(rmb.destinationLongitude, -123.1595, 1e-12);
    EXPECT_DOUBLE_EQ(rmb.range, 1.3);
    EXPECT_DOUBLE_EQ(rmb.bearing, 52.5);
    EXPECT_DOUBLE_EQ(rmb.closingVelocity, 0.5);
    EXPECT_EQ(rmb.arrival, 'V');

    feed("GPRMB,,,,,,,,,,,,,,N");
    EXPECT_EQ(rmb.status, 'V');
    EXPECT_EQ(rmb.steer, '?');
    EXPECT_STREQ(rmb.originId, "");
    EXPECT_EQ(rmb.crossTrackError, 0.0);
    EXPECT_NEAR(rmb.destinationLatitude, -49.287333333333333, 1e-12); // unchanged
    EXPECT_EQ(rmb.arrival, 'V');
    // A trailing empty field is present with empty text: its first character is NUL.
    feed("GPRMB,A,,,,,,,,,,,,");
    EXPECT_EQ(rmb.arrival, '\0');
    // Waypoint names keep 24 characters.
    feed("GPRMB,A,,,ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_STREQ(rmb.originId, "ABCDEFGHIJKLMNOPQRSTUVWX");
    EXPECT_EQ(rmb.count, 4u);
}

TEST_F(NmeaDecodersTest, RmcFieldsDateAndVariation)
{
    feed("GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,230394,020.3,W");
    const RmcData& rmc = parser->GetRmc();
    EXPECT_EQ(rmc.hour, 22);
    EXPECT_EQ(rmc.second, 46);
    EXPECT_EQ(rmc.status, 'A');
    EXPECT_NEAR(rmc.latitude, 49.274166666666667, 1e-12);
    EXPECT_NEAR(rmc.longitude, -123.18533333333333, 1e-12);
    EXPECT_DOUBLE_EQ(rmc.speedKnots, 0.5);
    EXPECT_DOUBLE_EQ(rmc.course, 54.7);
    EXPECT_EQ(rmc.day, 23);
    EXPECT_EQ(rmc.month, 3);
    EXPECT_EQ(rmc.year, 2094);
    EXPECT_DOUBLE_EQ(rmc.magneticVariation, -20.3);

    feed("GPRMC,,,,,,,,,,,");
    EXPECT_EQ(rmc.hour, 22);
    EXPECT_EQ(rmc.status, 'V');
    EXPECT_EQ(rmc.speedKnots, 0.0);
    EXPECT_EQ(rmc.year, 2094);
    EXPECT_EQ(rmc.magneticVariation, 0.0);
    EXPECT_NEAR(rmc.latitude, 49.274166666666667, 1e-12);
}

TEST_F(NmeaDecodersTest, ZdaFieldsAndEmptyDefaults)
{
    feed("GPZDA,201530.00,04,07,2002,-5,30");
    const ZdaData& zda = parser->GetZda();
    EXPECT_EQ(zda.hour, 20);
    EXPECT_EQ(zda.day, 4);
    EXPECT_EQ(zda.month, 7);
    EXPECT_EQ(zda.year, 2002);
    EXPECT_EQ(zda.zoneHours, -5);
    EXPECT_EQ(zda.zoneMinutes, 30);
    feed("GPZDA,201531.00,,,,,");
    EXPECT_EQ(zda.second, 31);
    EXPECT_EQ(zda.day, 1);
    EXPECT_EQ(zda.month, 1);
    EXPECT_EQ(zda.year, 1);
    EXPECT_EQ(zda.zoneHours, 0);
    EXPECT_EQ(zda.count, 2u);
    // Widths wrap as the record's fields do.
    feed("GPZDA,000000,300,1,70000,200,300");
    EXPECT_EQ(zda.day, static_cast<uint8_t>(300));
    EXPECT_EQ(zda.year, static_cast<uint16_t>(70000));
    EXPECT_EQ(zda.zoneHours, static_cast<int8_t>(200));
    EXPECT_EQ(zda.zoneMinutes, static_cast<uint8_t>(300));
}

TEST_F(NmeaDecodersTest, EmptyBodyGivesConversionsOfEmptyTexts)
{
    parser->ProcessBytes("$GPGGA,\r$GPGSA,\r$GPRMC,\r$GPZDA,\r$GPRMB,\r$GPGSV,\r");
    EXPECT_EQ(parser->GetSentenceCount(), 6u);
    EXPECT_EQ(parser->GetGga().fixQuality, static_cast<uint8_t>(0 - '0'));
    EXPECT_EQ(parser->GetGga().count, 1u);
    EXPECT_EQ(parser->GetGsa().mode, '\0');
    EXPECT_EQ(parser->GetRmc().status, '\0');
    EXPECT_EQ(parser->GetRmc().month, 0);
    EXPECT_EQ(parser->GetRmc().year, 2000);
    EXPECT_EQ(parser->GetZda().year, 0);
    EXPECT_EQ(parser->GetRmb().steer, '\0');
    EXPECT_EQ(parser->GetGsv().count, 0u); // message count 0: ignored
}

} // namespace
} // namespace velarin
