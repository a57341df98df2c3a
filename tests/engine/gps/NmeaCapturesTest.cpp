// Every receiver capture decodes without a fault, with counts that add up and fields in range.
#include "engine/gps/CNmeaParser.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

namespace velarin {
namespace {

uint32_t knownCount(const GpsRecord& r)
{
    return r.gga.count + r.gsa.count + r.gsv.count + r.rmb.count + r.rmc.count + r.zda.count;
}

// What a real receiver's sentences can hold; the binary-laden captures are allowed odd times.
void expectInRange(const GpsRecord& r, const std::string& where)
{
    SCOPED_TRACE(where);
    EXPECT_LE(std::fabs(r.gga.latitude), 90.0);
    EXPECT_LE(std::fabs(r.gga.longitude), 180.0);
    EXPECT_LE(std::fabs(r.rmc.latitude), 90.0);
    EXPECT_LE(std::fabs(r.rmc.longitude), 180.0);
    EXPECT_LE(std::fabs(r.rmb.destinationLatitude), 90.0);
    EXPECT_LE(std::fabs(r.rmb.destinationLongitude), 180.0);
    EXPECT_LE(r.gga.fixQuality, 9);
    EXPECT_LE(r.gsa.fixType, 3);
    EXPECT_TRUE(r.gsa.mode == 'M' || r.gsa.mode == 'A') << r.gsa.mode;
    EXPECT_TRUE(r.rmc.status == 'A' || r.rmc.status == 'V') << r.rmc.status;
    EXPECT_TRUE(std::isfinite(r.gga.verticalRate));
    EXPECT_GE(r.gga.hdop, 0.0);
    EXPECT_GE(r.rmc.speedKnots, 0.0);
    EXPECT_LE(r.rmc.course, 360.0);
    EXPECT_GE(r.rmc.year, 2000);
    EXPECT_LE(r.rmc.year, 2099);
    for (const SatelliteInfo& s : r.gsv.satellites) {
        EXPECT_LE(s.elevation, 90);
        EXPECT_LT(s.azimuth, 360);
        EXPECT_LE(s.snr, 99);
        EXPECT_LE(s.used, 1u);
        if (s.prn == 0) {
            EXPECT_EQ(s.used, 0u);
        }
    }
}

TEST(NmeaCapturesTest, EveryCaptureDecodesConsistently)
{
    const auto files = test::NmeaCaptureFiles();
    if (files.empty())
        GTEST_SKIP() << "no receiver captures in " << VELARIN_SHARED_DIR << "/nmea-logs";
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string bytes = test::ReadFileBytes(file);
        ASSERT_FALSE(bytes.empty());
        auto parser = std::make_unique<CNmeaParser>();
        GpsRecord previous = parser->GetRecord();
        uint32_t sentences = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            parser->ProcessByte(static_cast<uint8_t>(bytes[i]));
            if (parser->GetSentenceCount() == sentences)
                continue;
            // One byte ends at most one sentence, which moves at most one count by one.
            ASSERT_EQ(parser->GetSentenceCount(), sentences + 1);
            sentences = parser->GetSentenceCount();
            const GpsRecord& now = parser->GetRecord();
            const uint32_t grown = knownCount(now) - knownCount(previous);
            ASSERT_LE(grown, 1u);
            if (grown == 1) {
                const char* address = parser->GetLastAddress();
                EXPECT_NE(TalkerOf(address), Talker::Other) << address;
            }
            previous = now;
            if (file.find("ac12_binary") == std::string::npos) {
                expectInRange(now, "sentence " + std::to_string(sentences));
                EXPECT_LT(now.gga.hour, 24);
                EXPECT_LT(now.gga.minute, 60);
                EXPECT_LE(now.gga.second, 60);
                if (now.rmc.count > 0) {
                    EXPECT_TRUE(parser->GetReceiverTime(1)) << "sentence " << sentences;
                }
                if (now.zda.count > 0) {
                    EXPECT_TRUE(parser->GetReceiverTime(2)) << "sentence " << sentences;
                }
            }
        }
        EXPECT_GT(sentences, 0u);
        EXPECT_GT(knownCount(parser->GetRecord()), 0u);
        EXPECT_LE(knownCount(parser->GetRecord()), sentences);
    }
}

TEST(NmeaCapturesTest, ChunkingDoesNotMatter)
{
    const auto files = test::NmeaCaptureFiles();
    if (files.empty())
        GTEST_SKIP() << "no receiver captures";
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string bytes = test::ReadFileBytes(file);
        auto whole = std::make_unique<CNmeaParser>();
        auto chunked = std::make_unique<CNmeaParser>();
        whole->ProcessBytes(bytes);
        // Odd chunk sizes, as serial reads return them.
        for (std::size_t at = 0, step = 1; at < bytes.size(); at += step, step = step % 97 + 7)
            chunked->ProcessBytes(std::string_view(bytes).substr(at, step));
        EXPECT_EQ(whole->GetSentenceCount(), chunked->GetSentenceCount());
        EXPECT_EQ(std::memcmp(&whole->GetGga(), &chunked->GetGga(), sizeof(GgaData)), 0);
        EXPECT_EQ(whole->GetGsv().count, chunked->GetGsv().count);
        for (int source = 0; source < 3; ++source)
            EXPECT_EQ(whole->GetReceiverTime(source), chunked->GetReceiverTime(source));
    }
}

} // namespace
} // namespace velarin
