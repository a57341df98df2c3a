// Multi-system receivers: which talker's sentences are read, and how the systems' satellites
// come together.
#include "engine/gps/CNmeaParser.h"
#include "engine/ui/SatellitesShown.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace velarin {
namespace {

class NmeaTalkersTest : public ::testing::Test {
protected:
    NmeaTalkersTest()
    {
        parser->SetMonotonicClock([this] { return nowMs; });
    }
    void Feed(std::initializer_list<const char*> contents)
    {
        for (const char* content : contents)
            parser->ProcessBytes(test::NmeaSentence(content));
    }
    const SatelliteInfo* Find(SatelliteSystem system, int prn) const
    {
        for (const SatelliteInfo& s : parser->GetGsv().satellites)
            if (s.prn == prn && s.system == system)
                return &s;
        return nullptr;
    }

    int64_t nowMs = 1000;
    std::unique_ptr<CNmeaParser> parser = std::make_unique<CNmeaParser>();
};

// GP wins over GN for 5 s after its last sentence of the same type; the rest count but change
// nothing. With the setting off, only GP is ever read.
TEST_F(NmeaTalkersTest, GpKeepsPriorityPerTypeAndGnTakesOverWhenItStops)
{
    // Time, sentence, RMC hour after it.
    const std::tuple<int64_t, const char*, int> steps[] = {
        { 1000, "GNRMC,010000,A,,,,,,,060826", 1 }, // no GP yet: GN is read
        { 2000, "GPRMC,020000,A,,,,,,,060826", 2 },
        { 3000, "GNRMC,030000,A,,,,,,,060826", 2 }, // within 5 s of GP: counted only
        { 6999, "GNRMC,040000,A,,,,,,,060826", 2 },
        { 7000, "GNRMC,050000,A,,,,,,,060826", 5 }, // GP quiet for 5 s: GN again
        { 7001, "GPRMC,060000,A,,,,,,,060826", 6 }, // GP is back at once
        { 7002, "GNGGA,070000,,,,,1,09", 6 }, // another type has its own window
    };
    for (auto [at, content, hour] : steps) {
        nowMs = at;
        Feed({ content });
        EXPECT_EQ(parser->GetRmc().hour, hour) << content;
    }
    EXPECT_EQ(
        std::tuple(parser->GetSentenceCount(), parser->GetGga().satellites), std::tuple(7u, 9));

    parser->Reset();
    parser->SetAcceptAllTalkers(false);
    Feed({ "GNRMC,080000,A,,,,,,,060826", "GLGSV,1,1,01,65,10,100,30", "GNGSA,A,3,01" });
    EXPECT_EQ(parser->GetRmc().count, 0u);
}

// One second of a GN receiver: a GSA per system (with and without the system id), one GSV
// sequence per talker (with the NMEA 4.10 signal id), PRNs above 32, one PRN on two systems.
TEST_F(NmeaTalkersTest, SystemsMergeIntoOneSkyWithTheirOwnUsedFlags)
{
    Feed({ "GNGSA,A,3,01,05,,,,,,,,,,,1.3,0.8,1.1,1", "GNGSA,A,3,05,,,,,,,,,,,,1.3,0.8,1.1,3",
        "GNGSA,A,3,75,84,,,,,,,,,,,1.3,0.8,1.1", "GNGSA,A,3,213,,,,,,,,,,,,1.3,0.8,1.1",
        "GPGSV,1,1,03,01,19,045,31,05,16,156,29,12,05,272,,1",
        "GLGSV,1,1,02,75,68,049,35,86,16,174,33,1", "GAGSV,1,1,01,05,40,100,44,7",
        "GBGSV,1,1,02,13,41,062,19,213,30,100,25,1" });
    const GsvData& gsv = parser->GetGsv();
    EXPECT_EQ(gsv.inView, 3 + 2 + 1 + 2);
    using S = SatelliteSystem;
    const std::tuple<S, int, uint32_t> expected[] = { { S::Gps, 1, 1 }, { S::Gps, 5, 1 },
        { S::Gps, 12, 0 }, { S::Glonass, 75, 1 }, // GSA without id: by the PRN's range
        { S::Galileo, 5, 1 }, // same number as GPS 5, another satellite
        { S::BeiDou, 213, 1 } };
    for (auto [system, prn, used] : expected) {
        const SatelliteInfo* s = Find(system, prn);
        ASSERT_NE(s, nullptr) << SatelliteSystemName(system) << " " << prn;
        EXPECT_EQ(s->used, used) << SatelliteSystemName(system) << " " << prn;
    }
    // A GSA without system id names the system by the PRN's range; these are its edges.
    const std::pair<int, S> ranges[] = { { 96, S::Glonass }, { 193, S::Qzss }, { 263, S::BeiDou },
        { 401, S::BeiDou }, { 336, S::Galileo }, { 337, S::Gps }, { 300, S::Gps } };
    for (auto [prn, system] : ranges)
        EXPECT_EQ(SystemOfCombinedPrn(prn), system) << prn;
    // GPS first; the signal ids (1, 7) are no satellites.
    EXPECT_EQ(std::tuple(gsv.satellites[0].prn, gsv.satellites[8].prn), std::tuple(1, 0));

    // The next second's GSA block replaces the used set; a band sent twice counts once.
    Feed({ "GNGSA,A,3,12,,,,,,,,,,,,1.3,0.8,1.1,1",
        "GPGSV,1,1,03,01,19,045,31,05,16,156,29,12,05,272,40,1",
        "GPGSV,1,1,03,01,19,045,38,05,16,156,29,12,05,272,,8" });
    EXPECT_EQ(Find(SatelliteSystem::Gps, 1)->snr, 38);
    EXPECT_EQ(Find(SatelliteSystem::Gps, 12)->used - Find(SatelliteSystem::Gps, 1)->used, 1u);

    // A talker that stops sending leaves once the others are 5 s newer.
    nowMs += 5001;
    Feed({ "GPGSV,1,1,03,01,19,045,31,05,16,156,29,12,05,272,,1" });
    EXPECT_EQ(parser->GetGsv().inView, 3);
    EXPECT_EQ(Find(SatelliteSystem::Glonass, 75), nullptr);
}

// More satellites than a display holds: the strongest, strongest first; otherwise all in order.
TEST(SatellitesShownTest, StrongestFirstWhenTheSkyIsFull)
{
    GsvData gsv;
    gsv.inView = 45;
    for (int i = 0; i < 45; ++i)
        gsv.satellites[i].snr = static_cast<uint16_t>(i % 15 * 3);
    const std::vector<int> shown = SatellitesShown(gsv, 40);
    ASSERT_EQ(shown.size(), 40u);
    EXPECT_EQ(gsv.satellites[shown.front()].snr, 42);
    EXPECT_EQ(gsv.satellites[shown.back()].snr, 3); // the weakest five (0, 0, 0, 3, 3) left out
    gsv.inView = 3;
    EXPECT_EQ(SatellitesShown(gsv, 40), (std::vector<int> { 0, 1, 2 }));
}

} // namespace
} // namespace velarin
