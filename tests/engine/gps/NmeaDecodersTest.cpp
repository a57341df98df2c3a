#include "engine/AppState.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/gps/NmeaConversions.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

namespace velarin {
namespace {

using namespace std::chrono_literals;

class NmeaDecodersTest : public ::testing::Test {
protected:
    void feed(const std::string& content) { parser->ProcessBytes(test::NmeaSentence(content)); }
    std::unique_ptr<CNmeaParser> parser = std::make_unique<CNmeaParser>();
};

TEST(NmeaConversionsTest, Numbers)
{
    const std::pair<const char*, int> ints[]
        = { { "08", 8 }, { "-12x", -12 }, { " +7", 7 }, { "x1", 0 }, { "", 0 },
              { "99999999999999999999", INT_MAX }, { "-99999999999999999999", INT_MIN } };
    for (auto [text, value] : ints)
        EXPECT_EQ(nmea::ToInt(text), value) << text;
    // No exponents (the number ends at "e"), no words, no hexadecimal.
    const std::pair<const char*, double> reals[]
        = { { "545.4", 545.4 }, { "-0.5M", -0.5 }, { ".25", 0.25 }, { "7.", 7.0 }, { ".", 0.0 },
              { "1e300", 1.0 }, { "inf", 0.0 }, { "nan", 0.0 }, { "0x10", 0.0 } };
    for (auto [text, value] : reals)
        EXPECT_EQ(nmea::ToReal(text), value) << text;
    EXPECT_EQ(std::tuple(nmea::Pair("123519.50", 4), nmea::Pair("1", 0), nmea::Pair("1", 2),
                  nmea::Pair("12345", 4)),
        std::tuple(19, 1, 0, 5));
}

TEST_F(NmeaDecodersTest, GgaPositionTimeSatellitesHeldHemisphereAndVerticalRate)
{
    feed("GPGGA,123519.50,4807.038,N,01131.000,W,1,08,0.9,545.4,M,46.9,M,,");
    const GgaData& gga = parser->GetGga();
    EXPECT_EQ(std::tie(gga.hour, gga.minute, gga.second, gga.fixQuality, gga.satellites),
        std::tuple(12, 35, 19, 1, 8));
    EXPECT_NEAR(gga.latitude, 48.1173, 1e-12);
    EXPECT_NEAR(gga.longitude, -11.516666666666667, 1e-12);
    EXPECT_DOUBLE_EQ(gga.altitude, 545.4);

    // Two characters of satellites only; empty fields leave the held values.
    feed("GPGGA,,4807.038,S,,,,123,,,M,,M,,");
    EXPECT_NEAR(gga.latitude, -48.1173, 1e-12);
    EXPECT_EQ(
        std::tie(gga.satellites, gga.hour, gga.fixQuality, gga.count), std::tuple(12, 12, 1, 2u));
    EXPECT_DOUBLE_EQ(gga.altitude, 545.4);

    // The hemisphere letter acts on the held value, every time it comes.
    feed("GPGGA,,4807.038,N,01131.000,E,,,,");
    feed("GPGGA,,,S,,W,,,,");
    EXPECT_NEAR(gga.latitude, -48.1173, 1e-12);
    EXPECT_NEAR(gga.longitude, -11.516666666666667, 1e-12);
    feed("GPGGA,,,S,,W,,,,");
    EXPECT_NEAR(gga.latitude, 48.1173, 1e-12);

    // Vertical rate, from a fresh start. Same second: the rate stays, the remembered altitude
    // moves. Minute counter wrapped at the hour: unchanged.
    parser = std::make_unique<CNmeaParser>();
    const std::pair<const char*, double> steps[]
        = { { "120000,,,,,1,05,,100.0", 0.0 }, { "120100,,,,,1,05,,130.0", 30.0 },
              { "120110,,,,,1,05,,135.0", 30.0 }, { "120110,,,,,1,05,,200.0", 30.0 },
              { "120111,,,,,1,05,,199.0", -60.0 }, { "130000,,,,,1,05,,500.0", -60.0 } };
    for (auto [fields, rate] : steps) {
        feed(std::string("GPGGA,") + fields + ",M,,M,,");
        EXPECT_DOUBLE_EQ(parser->GetGga().verticalRate, rate) << fields;
    }
    EXPECT_EQ(parser->GetGga().rememberedTime, 0);
}

TEST_F(NmeaDecodersTest, GsaFieldsAndDefaults)
{
    feed("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1");
    const GsaData& gsa = parser->GetGsa();
    EXPECT_EQ(std::tie(gsa.mode, gsa.fixType), std::tuple('A', 3));
    const uint16_t used[12] = { 4, 5, 0, 9, 12, 0, 0, 24, 0, 0, 0, 0 };
    EXPECT_TRUE(std::equal(used, used + 12, gsa.used));
    EXPECT_DOUBLE_EQ(gsa.pdop, 2.5);
    feed("GPGSA,,,99");
    EXPECT_EQ(std::tie(gsa.mode, gsa.fixType, gsa.used[0], gsa.used[1], gsa.pdop, gsa.count),
        std::tuple('A', 3, 99, 0, 0.0, 2u));
}

TEST_F(NmeaDecodersTest, GsvMessagesFillTheirEntriesAndUnusableOnesChangeNothing)
{
    const GsvData& gsv = parser->GetGsv();
    for (const char* content : { "GPGSV,9,1,40,01,01,001,01", "GPGSV,0,1,40,01,01,001,01",
             "GPGSV,,1,40,01,01,001,01", "GPGSV,3,,40,01,01,001,01", "GPGSV,3,0,40,01,01,001,01",
             "GPGSV,3,10,40,01,01,001,01", "GPGSV,", "GPGSV,3" })
        feed(content);
    EXPECT_EQ(std::tie(gsv.count, gsv.inView, gsv.satellites[0].prn), std::tuple(0u, 0, 0));

    feed("GPGSA,A,3,07,02,,,,,,,,,,,,,");
    feed("GPGSV,3,1,10,07,79,048,42,02,51,062,43,26,36,256,42,27,27,138,42");
    feed("GPGSV,3,2,10,09,23,313,42,04,19,159,41,15,12,041,42,28,05,000,");
    feed("GPGSV,3,3,10,08,02,214,,10,01,100,33");
    const SatelliteInfo* s = gsv.satellites;
    EXPECT_EQ(std::tie(gsv.inView, gsv.count), std::tuple(10, 3u));
    EXPECT_EQ(std::tie(s[0].prn, s[0].elevation, s[0].azimuth, s[0].snr, s[0].used),
        std::tuple(7, 79, 48, 42, 1u));
    // Trailing and inner empty signal fields are 0.
    EXPECT_EQ(
        std::tie(s[7].prn, s[7].snr, s[8].prn, s[8].snr, s[9].snr), std::tuple(28, 0, 8, 0, 33));

    // A later set of 3 with two satellites in its last message zeroes entries 10 and 11 and
    // leaves a fourth message's entries from an earlier, larger set alone.
    feed("GPGSV,4,4,14,30,10,100,20,31,11,110,21,32,12,120,22,33,13,130,23");
    feed("GPGSV,3,3,10,08,02,214,,10,01,100,33");
    EXPECT_EQ(std::tie(s[10].prn, s[11].prn, s[11].azimuth, s[12].prn, s[15].snr, gsv.inView),
        std::tuple(0, 0, 0, 30, 23, 10));

    // Message 9 of 8 is accepted and writes the last four entries of the array.
    feed("GPGSV,8,9,40,01,02,003,04,05,06,007,08,09,10,011,12,13,14,015,16");
    EXPECT_EQ(std::tie(gsv.count, gsv.satellites[35].prn, gsv.inView), std::tuple(6u, 13, 40));
}

TEST_F(NmeaDecodersTest, RmbRmcAndZdaFieldsAndEmptyDefaults)
{
    feed("GPRMB,A,0.66,L,003,004,4917.24,S,12309.57,W,001.3,052.5,000.5,V");
    const RmbData& rmb = parser->GetRmb();
    EXPECT_EQ(std::tie(rmb.status, rmb.steer, rmb.arrival), std::tuple('A', 'L', 'V'));
    EXPECT_STREQ(rmb.originId, "003");
    EXPECT_NEAR(rmb.destinationLatitude, -49.287333333333333, 1e-12);
    EXPECT_DOUBLE_EQ(rmb.crossTrackError, 0.66);

    feed("GPRMB,,,,,,,,,,,,,,N");
    EXPECT_EQ(std::tie(rmb.status, rmb.steer, rmb.crossTrackError, rmb.arrival),
        std::tuple('V', '?', 0.0, 'V'));
    EXPECT_NEAR(rmb.destinationLatitude, -49.287333333333333, 1e-12); // unchanged
    // A trailing empty field is present with empty text: its first character is NUL.
    feed("GPRMB,A,,,,,,,,,,,,");
    EXPECT_EQ(std::tie(rmb.arrival, rmb.count), std::tuple('\0', 3u));

    feed("GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,230394,020.3,W");
    const RmcData& rmc = parser->GetRmc();
    EXPECT_EQ(std::tie(rmc.hour, rmc.second, rmc.status, rmc.day, rmc.month, rmc.year),
        std::tuple(22, 46, 'A', 23, 3, 2094));
    EXPECT_NEAR(rmc.latitude, 49.274166666666667, 1e-12);
    EXPECT_NEAR(rmc.longitude, -123.18533333333333, 1e-12);
    EXPECT_DOUBLE_EQ(rmc.magneticVariation, -20.3);

    feed("GPRMC,,,,,,,,,,,");
    EXPECT_EQ(std::tie(rmc.hour, rmc.status, rmc.speedKnots, rmc.year, rmc.magneticVariation),
        std::tuple(22, 'V', 0.0, 2094, 0.0));
    EXPECT_NEAR(rmc.latitude, 49.274166666666667, 1e-12);
    feed("GPZDA,201530.00,04,07,2002,-5,30");
    const ZdaData& zda = parser->GetZda();
    EXPECT_EQ(std::tie(zda.hour, zda.day, zda.month, zda.year, zda.zoneHours, zda.zoneMinutes),
        std::tuple(20, 4, 7, 2002, -5, 30));
    feed("GPZDA,201531.00,,,,,");
    EXPECT_EQ(std::tie(zda.second, zda.day, zda.month, zda.year, zda.zoneHours, zda.count),
        std::tuple(31, 1, 1, 1, 0, 2u));
}

TEST_F(NmeaDecodersTest, LockRuleFollowsOnlyGga)
{
    feed("GPGGA,120000,,,,,1,04,,,M,,M,,");
    EXPECT_TRUE(parser->IsTimeLocked(4, 1, false));
    EXPECT_FALSE(parser->IsTimeLocked(4, 1, true));
    feed("GPGGA,120001,,,,,0,04,,,M,,M,,");
    EXPECT_FALSE(parser->IsTimeLocked(4, 1, false));
    EXPECT_TRUE(parser->IsTimeLocked(4, 0, false));
    // "TLSats" 0 always passes the satellite test; a negative one, taken unsigned, never does.
    feed("GPGGA,120002,,,,,1,00,,,M,,M,,");
    EXPECT_TRUE(parser->IsTimeLocked(0, 1, false));
    EXPECT_FALSE(parser->IsTimeLocked(static_cast<uint32_t>(-1), 0, false));
    AppState state;
    state.tlSats = 0;
    EXPECT_TRUE(parser->IsTimeLocked(state));
    state.noDataFlag = 1;
    EXPECT_FALSE(parser->IsTimeLocked(state));

    // RMC sentences neither give nor keep a lock.
    feed("GPGGA,120000,,,,,1,06,,,M,,M,,");
    for (int i = 0; i < 5; ++i)
        feed("GPRMC,120001,A,,,,,,,010120,,");
    EXPECT_TRUE(parser->IsTimeLocked(3, 1, false));
    parser->Reset();
    feed("GPRMC,120001,A,,,,,,,010120,,");
    EXPECT_FALSE(parser->IsTimeLocked(3, 1, false));
}

TEST_F(NmeaDecodersTest, ReceiverTimeBySourceAndUnrepresentableDates)
{
    feed("GPGGA,235959,,,,,1,04,,,M,,M,,");
    feed("GPRMC,235959,A,,,,,,,311299,,");
    feed("GPZDA,101112,28,02,2024,00,00");
    EXPECT_EQ(parser->GetReceiverTime(0), (SystemTime { 2000, 1, 6, 1, 23, 59, 59, 0 }));
    EXPECT_EQ(parser->GetReceiverTime(1), (SystemTime { 2099, 12, 4, 31, 23, 59, 59, 0 }));
    EXPECT_EQ(parser->GetReceiverTime(2), (SystemTime { 2024, 2, 3, 28, 10, 11, 12, 0 }));
    EXPECT_FALSE(parser->GetReceiverTime(3));
    AppState state;
    state.useTimrFrom = 2;
    EXPECT_EQ(parser->GetReceiverTime(state), parser->GetReceiverTime(2));

    EXPECT_EQ(AddSeconds(*parser->GetReceiverTime(1), 1), (SystemTime { 2100, 1, 5, 1, 0, 0, 0 }));
    EXPECT_EQ(
        AddSeconds({ 2024, 3, 5, 1, 0, 0, 0 }, -1), (SystemTime { 2024, 2, 4, 29, 23, 59, 59 }));
    EXPECT_FALSE(AddSeconds({ 30827, 12, 0, 31, 23, 59, 59 }, 1));
    EXPECT_FALSE(AddSeconds({ 2024, 2, 0, 30, 0, 0, 0 }, 1));

    // Dates the calendar cannot represent are no time.
    feed("GPZDA,101112,,,,,"); // empty year: stored as 1
    EXPECT_EQ(parser->GetZda().year, 1);
    EXPECT_FALSE(parser->GetReceiverTime(2));
    feed("GPZDA,000000,01,01,1970,00,00");
    EXPECT_EQ(parser->GetReceiverTime(2), (SystemTime { 1970, 1, 4, 1, 0, 0, 0, 0 }));
    for (const char* bad : { "GPZDA,101112,31,12,1969,00,00", "GPZDA,000000,31,04,2020,00,00",
             "GPZDA,000000,29,02,2100,00,00", "GPZDA,240000,01,01,2020,00,00",
             "GPZDA,235960,01,01,2020,00,00", "GPZDA,000000,01,13,2020,00,00",
             "GPZDA,000000,00,01,2020,00,00", "GPZDA,-10000,01,01,2020,00,00" }) {
        feed(bad);
        EXPECT_FALSE(parser->GetReceiverTime(2)) << bad;
    }
    feed("GPRMC,120000,A,,,,,,,000000,,"); // day and month 0
    EXPECT_FALSE(parser->GetReceiverTime(1));
}

TEST_F(NmeaDecodersTest, WaitForNewSecondWakesOnStoredSecondAndOnCancel)
{
    const uint64_t start = parser->GetTimeGeneration();
    // Nothing new: a short time-out returns the same generation.
    EXPECT_EQ(parser->WaitForNewSecond(start, 1ms), start);

    std::atomic<uint64_t> seen { start };
    std::thread waiter([&] { seen = parser->WaitForNewSecond(start, 60s); });
    feed("GPGGA,120000,,,,,1,04,,,M,,M,,");
    waiter.join();
    EXPECT_NE(seen.load(), start);
    EXPECT_EQ(seen.load(), parser->GetTimeGeneration());

    // The same second again stores nothing new.
    const uint64_t now = parser->GetTimeGeneration();
    feed("GPGGA,120000,,,,,1,05,,,M,,M,,");
    EXPECT_EQ(parser->GetTimeGeneration(), now);

    // Cancellation: the flag set before WakeWaiters is never missed.
    std::atomic<bool> cancelled { false };
    std::thread cancelledWaiter([&] { parser->WaitForNewSecond(now, 60s, &cancelled); });
    cancelled = true;
    parser->WakeWaiters();
    cancelledWaiter.join();
    EXPECT_EQ(parser->WaitForNewSecond(now, 60s, &cancelled), now);
}

TEST_F(NmeaDecodersTest, ReaderSeesTheTimeOfOneSentence)
{
    // Sentences where hour, minute and second are equal: a torn read would show a mix.
    std::string stream;
    for (int i = 0; i < 50; ++i) {
        char content[64];
        std::snprintf(content, sizeof content, "GPZDA,%02d%02d%02d,01,01,2020,00,00", i % 24, i, i);
        stream += test::NmeaSentence(content);
    }
    std::atomic<bool> done { false };
    std::atomic<int> torn { 0 };
    std::thread reader([&] {
        while (!done) {
            const auto t = parser->GetReceiverTime(2);
            if (t && (t->minute != t->second || t->hour != t->minute % 24))
                ++torn;
        }
    });
    for (int round = 0; round < 200; ++round)
        parser->ProcessBytes(stream);
    done = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
}

} // namespace
} // namespace velarin
