#include "engine/AppState.h"
#include "engine/gps/CNmeaParser.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace velarin {
namespace {

using namespace std::chrono_literals;

class GpsTimeLockTest : public ::testing::Test {
protected:
    void feed(const std::string& content) { parser->ProcessBytes(test::NmeaSentence(content)); }
    std::unique_ptr<CNmeaParser> parser = std::make_unique<CNmeaParser>();
};

TEST_F(GpsTimeLockTest, LockRuleFollowsOnlyGga)
{
    feed("GPGGA,120000,,,,,1,04,,,M,,M,,");
    EXPECT_TRUE(parser->IsTimeLocked(4, 1, false));
    EXPECT_FALSE(parser->IsTimeLocked(5, 1, false));
    EXPECT_FALSE(parser->IsTimeLocked(4, 1, true));
    feed("GPGGA,120001,,,,,0,04,,,M,,M,,");
    EXPECT_FALSE(parser->IsTimeLocked(4, 1, false));
    EXPECT_TRUE(parser->IsTimeLocked(4, 0, false));
    EXPECT_TRUE(parser->IsTimeLocked(4, 2, false));
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

TEST_F(GpsTimeLockTest, ReceiverTimeBySource)
{
    feed("GPGGA,235959,,,,,1,04,,,M,,M,,");
    feed("GPRMC,235959,A,,,,,,,311299,,");
    feed("GPZDA,101112,28,02,2024,00,00");
    EXPECT_EQ(parser->GetReceiverTime(0), (SystemTime { 2000, 1, 6, 1, 23, 59, 59, 0 }));
    EXPECT_EQ(parser->GetReceiverTime(1), (SystemTime { 2099, 12, 4, 31, 23, 59, 59, 0 }));
    EXPECT_EQ(parser->GetReceiverTime(2), (SystemTime { 2024, 2, 3, 28, 10, 11, 12, 0 }));
    EXPECT_FALSE(parser->GetReceiverTime(3));
    EXPECT_FALSE(parser->GetReceiverTime(-1));
    AppState state;
    state.useTimrFrom = 2;
    EXPECT_EQ(parser->GetReceiverTime(state), parser->GetReceiverTime(2));

    EXPECT_EQ(AddSeconds(*parser->GetReceiverTime(0), 1), (SystemTime { 2000, 1, 0, 2, 0, 0, 0 }));
    EXPECT_EQ(AddSeconds(*parser->GetReceiverTime(1), 1), (SystemTime { 2100, 1, 5, 1, 0, 0, 0 }));
    EXPECT_EQ(
        AddSeconds({ 2024, 3, 5, 1, 0, 0, 0 }, -1), (SystemTime { 2024, 2, 4, 29, 23, 59, 59 }));
    EXPECT_FALSE(AddSeconds({ 30827, 12, 0, 31, 23, 59, 59 }, 1));
    EXPECT_FALSE(AddSeconds({ 2024, 2, 0, 30, 0, 0, 0 }, 1));
}

TEST_F(GpsTimeLockTest, UnrepresentableDatesAreNoTime)
{
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

TEST_F(GpsTimeLockTest, WaitForNewSecondWakesOnStoredSecondAndOnCancel)
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

TEST_F(GpsTimeLockTest, ReaderSeesTheTimeOfOneSentence)
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
