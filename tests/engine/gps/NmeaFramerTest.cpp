#include "base/NmeaTalker.h"
#include "engine/gps/CNmeaParser.h"
#include "engine/gps/NmeaFieldIndex.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <tuple>

namespace velarin {
namespace {

using test::NmeaSentence;

const std::string kGga = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";

class NmeaFramerTest : public ::testing::Test {
protected:
    uint32_t count() const { return parser->GetSentenceCount(); }
    std::unique_ptr<CNmeaParser> parser = std::make_unique<CNmeaParser>();
};

TEST_F(NmeaFramerTest, ChecksumAndAddressDecideWhatIsDecoded)
{
    std::string spoilt = NmeaSentence(kGga);
    spoilt[spoilt.size() - 3] = spoilt[spoilt.size() - 3] == '0' ? '1' : '0';
    parser->ProcessBytes(spoilt);
    EXPECT_EQ(
        std::tuple(count(), parser->GetGga().count, parser->GetGga().hour), std::tuple(0u, 0u, 0));
    // Unknown talkers, other sentences, an extra character: counted, but none reaches a decoder.
    for (const char* content : { "IIGGA,123519,4807.038,N", "GPGLL,4916.45,N", "GPGGAX,123519",
             "GPGG,123519", "gpgga,123519", ",123519" })
        parser->ProcessBytes(NmeaSentence(content));
    EXPECT_EQ(std::tuple(count(), parser->GetGga().count), std::tuple(6u, 0u));
    parser->ProcessBytes(NmeaSentence(kGga));
    EXPECT_EQ(std::tuple(count(), parser->GetGga().count, parser->GetGga().hour,
                  parser->GetGga().satellites),
        std::tuple(7u, 1u, 12, 8));
}

TEST_F(NmeaFramerTest, BodyAndAddressLengthLimits)
{
    // "GPRMB," then 255 body characters is the longest sentence; one more is dropped. Field 0 was
    // cut to 24 characters, its first is 'x'; field 3 is empty.
    const std::string longest = "GPRMB," + std::string(255 - 5, 'x') + ",,,,,";
    parser->ProcessBytes(NmeaSentence(longest));
    EXPECT_EQ(std::tuple(count(), parser->GetRmb().count, parser->GetRmb().status),
        std::tuple(1u, 1u, 'x'));
    EXPECT_STREQ(parser->GetRmb().originId, "");
    parser->ProcessBytes(NmeaSentence(longest + "y"));
    // Unchecked sentences obey the same limit.
    parser->ProcessBytes("$GPRMB," + std::string(256, 'z') + "\r");
    EXPECT_EQ(std::tuple(count(), parser->GetRmb().count), std::tuple(1u, 1u));

    parser->ProcessBytes(NmeaSentence("ABCDEFG,1"));
    EXPECT_EQ(count(), 2u);
    EXPECT_STREQ(parser->GetLastAddress(), "ABCDEFG");
    parser->ProcessBytes(NmeaSentence("ABCDEFGH,1"));
    EXPECT_EQ(count(), 2u);
    // After the drop the framer hunts again and frames the next sentence.
    parser->ProcessBytes(NmeaSentence(kGga));
    EXPECT_EQ(count(), 3u);
}

TEST_F(NmeaFramerTest, ChecksumDigitCaseCarriageReturnStarAndDollarInsideASentence)
{
    // Lower-case bit 0x20 fails a low digit ("4a"); a high digit's is shifted out ("a5").
    const std::pair<const char*, uint32_t> cases[]
        = { { "$GPZDA,1,3*4a\r\n", 0 }, { "$GPZDA,1,3*4A\r\n", 1 }, { "$GPZDA,1,\xDC*a5\r\n", 2 },
              { "$GPZDA,1,\xDC*A5\r\n", 3 }, { "$GPZDA,1,\xDC*A6\r\n", 3 } };
    for (auto [sentence, after] : cases) {
        parser->ProcessBytes(sentence);
        EXPECT_EQ(count(), after) << sentence;
    }

    // The LF and the second "$" are body text of one GGA sentence, accepted unchecked at CR.
    parser->ProcessBytes("$GPGGA,101010,\n$GPZDA,5\r\n");
    EXPECT_EQ(
        std::tuple(count(), parser->GetGga().count, parser->GetGga().hour, parser->GetZda().count),
        std::tuple(4u, 1u, 10, 3u));
    // Without CR and without "*", an unterminated sentence waits.
    parser->ProcessBytes("$GPZDA,111111,01,01,2001,00,00\n");
    EXPECT_EQ(count(), 4u);
    parser->ProcessBytes("\r");
    EXPECT_EQ(parser->GetZda().count, 4u);
    // "*" ends the address like a comma; the digits that follow are body text, taken at CR.
    parser->ProcessBytes("$GPGGA*12\r\n");
    EXPECT_EQ(
        std::tuple(count(), parser->GetGga().count, parser->GetGga().hour), std::tuple(6u, 2u, 12));
}

TEST(NmeaGetFieldTest, FieldRulesAndTheOnePassIndexAgree)
{
    // A trailing empty field starts at the end of the body: present, with empty text. The
    // entirely empty body holds every field. At most capacity - 1 characters.
    // Body, field, present, text (nullptr: not looked at).
    const std::tuple<const char*, int, bool, const char*> cases[]
        = { { "a,b,,d", 0, true, "a" }, { "a,b,,d", 3, true, "d" }, { "a,b,,d", 2, false, "" },
              { "a,b,,d", 4, false, nullptr }, { ",b", 0, false, nullptr }, { "a,", 1, true, "" },
              { "a,", 2, false, nullptr }, { "", 0, true, nullptr }, { "", 17, true, "" },
              { "x,123456789012345678901234567890", 1, true, "123456789012345678901234" } };
    for (auto [body, n, present, text] : cases) {
        char out[CNmeaParser::kFieldCapacity];
        std::strcpy(out, "junk");
        EXPECT_EQ(CNmeaParser::GetField(body, n, out, sizeof out), present) << body << n;
        if (text != nullptr) {
            EXPECT_STREQ(out, text) << body << " " << n;
        }
    }
    char small[4];
    EXPECT_TRUE(CNmeaParser::GetField("abcdef", 0, small, sizeof small));
    EXPECT_STREQ(small, "abc");

    const std::string longest = std::string(100, ',') + std::string(155, 'q');
    for (const std::string& body : { std::string(""), std::string(","), std::string("a"),
             std::string(",,x,"), std::string("12,34,,56,"), std::string(254, ',') + "z", longest,
             std::string("abcdefghijklmnopqrstuvwxyz0123,9") }) {
        const NmeaFieldIndex index(body.c_str());
        for (int n = 0; n < 260; ++n) {
            char a[CNmeaParser::kFieldCapacity];
            char b[CNmeaParser::kFieldCapacity];
            const bool direct = CNmeaParser::GetField(body.c_str(), n, a, sizeof a);
            ASSERT_EQ(index.Get(n, b, sizeof b), direct) << body << " field " << n;
            ASSERT_STREQ(a, b) << body << " field " << n;
        }
    }
}

uint32_t knownCount(const GpsRecord& r)
{
    return r.gga.count + r.gsa.count + r.gsv.count + r.rmb.count + r.rmc.count + r.zda.count;
}

// What a real receiver's sentences can hold.
void expectInRange(const CNmeaParser& parser, uint32_t sentence)
{
    SCOPED_TRACE("sentence " + std::to_string(sentence));
    const GpsRecord& r = parser.GetRecord();
    EXPECT_TRUE(std::fabs(r.gga.latitude) <= 90.0 && std::fabs(r.rmc.latitude) <= 90.0
        && std::fabs(r.gga.longitude) <= 180.0 && std::fabs(r.rmc.longitude) <= 180.0);
    EXPECT_TRUE(r.gga.fixQuality <= 9 && r.gsa.fixType <= 3 && std::isfinite(r.gga.verticalRate));
    EXPECT_TRUE(r.rmc.status == 'A' || r.rmc.status == 'V') << r.rmc.status;
    EXPECT_TRUE(r.gga.hour < 24 && r.gga.minute < 60 && r.gga.second <= 60);
    for (const SatelliteInfo& s : r.gsv.satellites)
        EXPECT_TRUE(s.elevation <= 90 && s.azimuth < 360 && s.snr <= 99) << s.prn;
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
