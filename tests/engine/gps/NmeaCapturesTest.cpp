// Every receiver capture decodes without a fault, with counts that add up and fields in range,
// and the same whatever the chunks the bytes arrive in.
#include "engine/gps/CNmeaParser.h"
#include "base/NmeaTalker.h"
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

// What a real receiver's sentences can hold.
void expectInRange(const CNmeaParser& parser, uint32_t sentence)
{
    SCOPED_TRACE("sentence " + std::to_string(sentence));
    const GpsRecord& r = parser.GetRecord();
    for (double latitude : { r.gga.latitude, r.rmc.latitude, r.rmb.destinationLatitude })
        EXPECT_LE(std::fabs(latitude), 90.0);
    for (double longitude : { r.gga.longitude, r.rmc.longitude, r.rmb.destinationLongitude })
        EXPECT_LE(std::fabs(longitude), 180.0);
    EXPECT_TRUE(r.gga.fixQuality <= 9 && r.gsa.fixType <= 3 && r.rmc.course <= 360.0);
    EXPECT_TRUE(r.gsa.mode == 'M' || r.gsa.mode == 'A') << r.gsa.mode;
    EXPECT_TRUE(r.rmc.status == 'A' || r.rmc.status == 'V') << r.rmc.status;
    EXPECT_TRUE(std::isfinite(r.gga.verticalRate) && r.gga.hdop >= 0.0 && r.rmc.speedKnots >= 0.0);
    EXPECT_TRUE(r.rmc.year >= 2000 && r.rmc.year <= 2099) << r.rmc.year;
    EXPECT_TRUE(r.gga.hour < 24 && r.gga.minute < 60 && r.gga.second <= 60);
    for (const SatelliteInfo& s : r.gsv.satellites) {
        EXPECT_TRUE(s.elevation <= 90 && s.azimuth < 360 && s.snr <= 99) << s.prn;
        EXPECT_LE(s.used, s.prn == 0 ? 0u : 1u);
    }
    EXPECT_TRUE(r.rmc.count == 0 || parser.GetReceiverTime(1));
    EXPECT_TRUE(r.zda.count == 0 || parser.GetReceiverTime(2));
}

TEST(NmeaCapturesTest, EveryCaptureDecodesConsistentlyInAnyChunking)
{
    const auto files = test::NmeaCaptureFiles();
    if (files.empty())
        GTEST_SKIP() << "no receiver captures";
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::string bytes = test::ReadFileBytes(file);
        ASSERT_FALSE(bytes.empty());
        auto parser = std::make_unique<CNmeaParser>();
        GpsRecord previous = parser->GetRecord();
        uint32_t sentences = 0;
        for (char byte : bytes) {
            parser->ProcessByte(static_cast<uint8_t>(byte));
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
            // The binary-laden capture is allowed odd values.
            if (file.find("ac12_binary") == std::string::npos)
                expectInRange(*parser, sentences);
        }
        EXPECT_GT(sentences, 0u);
        EXPECT_GT(knownCount(parser->GetRecord()), 0u);
        EXPECT_LE(knownCount(parser->GetRecord()), sentences);

        // Odd chunk sizes, as serial reads return them.
        auto chunked = std::make_unique<CNmeaParser>();
        for (std::size_t at = 0, step = 1; at < bytes.size(); at += step, step = step % 97 + 7)
            chunked->ProcessBytes(std::string_view(bytes).substr(at, step));
        EXPECT_EQ(chunked->GetSentenceCount(), sentences);
        EXPECT_EQ(std::memcmp(&parser->GetGga(), &chunked->GetGga(), sizeof(GgaData)), 0);
        EXPECT_EQ(parser->GetGsv().count, chunked->GetGsv().count);
        for (int source = 0; source < 3; ++source)
            EXPECT_EQ(parser->GetReceiverTime(source), chunked->GetReceiverTime(source));
    }
}

} // namespace
} // namespace velarin
