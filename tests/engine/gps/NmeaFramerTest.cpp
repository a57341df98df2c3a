#include "engine/gps/CNmeaParser.h"
#include "engine/gps/NmeaFieldIndex.h"
#include "support/NmeaSentence.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace velarin {
namespace {

using test::NmeaSentence;

const std::string kGga = "GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,";

class NmeaFramerTest : public ::testing::Test {
protected:
    std::unique_ptr<CNmeaParser> parser = std::make_unique<CNmeaParser>();
};

TEST_F(NmeaFramerTest, ChecksummedSentenceUpdatesRecordAndCountOnce)
{
    parser->ProcessBytes(NmeaSentence(kGga));
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    EXPECT_EQ(parser->GetGga().count, 1u);
    EXPECT_EQ(parser->GetGga().hour, 12);
    EXPECT_EQ(parser->GetGga().satellites, 8);
}

TEST_F(NmeaFramerTest, WrongChecksumChangesNothing)
{
    std::string sentence = NmeaSentence(kGga);
    sentence[sentence.size() - 3] = sentence[sentence.size() - 3] == '0' ? '1' : '0';
    parser->ProcessBytes(sentence);
    EXPECT_EQ(parser->GetSentenceCount(), 0u);
    EXPECT_EQ(parser->GetGga().count, 0u);
    EXPECT_EQ(parser->GetGga().hour, 0);
}

TEST_F(NmeaFramerTest, UnknownAddressesCountButDecodeNothing)
{
    // Unknown talkers, other sentences, an extra character: none reaches a decoder.
    for (const char* content : { "IIGGA,123519,4807.038,N", "GPGLL,4916.45,N", "GPGGAX,123519",
             "GPGG,123519", "gpgga,123519", ",123519" }) {
        parser->ProcessBytes(NmeaSentence(content));
    }
    EXPECT_EQ(parser->GetSentenceCount(), 6u);
    EXPECT_EQ(parser->GetRecord().gga.count, 0u);
    EXPECT_EQ(parser->GetGga().hour, 0);
}

TEST_F(NmeaFramerTest, OneByteAtATimeMatchesOneCall)
{
    const std::string stream = "junk" + NmeaSentence(kGga)
        + NmeaSentence("GPZDA,201530.00,04,07,2002,00,00")
        + "$GPRMC,225446,A,4916.45,N,12311.12,W,000.5,054.7,191194,020.3,E\r\n";
    CNmeaParser whole;
    whole.ProcessBytes(stream);
    for (char c : stream)
        parser->ProcessBytes(reinterpret_cast<const uint8_t*>(&c), 1);
    parser->ProcessBytes(nullptr, 0);
    EXPECT_EQ(parser->GetSentenceCount(), 3u);
    EXPECT_EQ(parser->GetSentenceCount(), whole.GetSentenceCount());
    EXPECT_EQ(parser->GetReceiverTime(2), whole.GetReceiverTime(2));
    EXPECT_EQ(parser->GetReceiverTime(1), whole.GetReceiverTime(1));
    EXPECT_EQ(parser->GetGga().latitude, whole.GetGga().latitude);
    EXPECT_EQ(parser->GetZda().year, 2002);
}

TEST_F(NmeaFramerTest, BodyLengthLimit)
{
    // "GPRMB," then 255 body characters is the longest sentence; one more is dropped.
    const std::string longest = "GPRMB," + std::string(255 - 5, 'x') + ",,,,,";
    parser->ProcessBytes(NmeaSentence(longest));
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    EXPECT_EQ(parser->GetRmb().count, 1u);
    EXPECT_EQ(std::string(parser->GetRmb().originId), ""); // field 3 is empty
    EXPECT_EQ(parser->GetRmb().status, 'x'); // field 0 was cut to 24 characters; first is 'x'

    parser->ProcessBytes(NmeaSentence(longest + "y"));
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    // Unchecked sentences obey the same limit.
    parser->ProcessBytes("$GPRMB," + std::string(256, 'z') + "\r");
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    EXPECT_EQ(parser->GetRmb().count, 1u);
}

TEST_F(NmeaFramerTest, AddressLengthLimit)
{
    parser->ProcessBytes(NmeaSentence("ABCDEFG,1"));
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    EXPECT_STREQ(parser->GetLastAddress(), "ABCDEFG");
    parser->ProcessBytes(NmeaSentence("ABCDEFGH,1"));
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    // After the drop the framer hunts again and frames the next sentence.
    parser->ProcessBytes(NmeaSentence(kGga));
    EXPECT_EQ(parser->GetSentenceCount(), 2u);
}

TEST_F(NmeaFramerTest, ChecksumDigitCase)
{
    // "GPZDA,1,3" has checksum 0x4A. A lower-case second digit leaves bit 0x20 set, which the
    // high digit 4 does not have, so "4a" never matches while "4A" does.
    parser->ProcessBytes("$GPZDA,1,3*4a\r\n");
    EXPECT_EQ(parser->GetSentenceCount(), 0u);
    parser->ProcessBytes("$GPZDA,1,3*4A\r\n");
    EXPECT_EQ(parser->GetSentenceCount(), 1u);

    // Checksum 0xA5 (the last body byte is 0xDC): only the low four bits of a first digit
    // survive the shift, so "a5" matches like "A5".
    parser->ProcessBytes("$GPZDA,1,\xDC*a5\r\n");
    EXPECT_EQ(parser->GetSentenceCount(), 2u);
    parser->ProcessBytes("$GPZDA,1,\xDC*A5\r\n");
    EXPECT_EQ(parser->GetSentenceCount(), 3u);
    parser->ProcessBytes("$GPZDA,1,\xDC*A6\r\n");
    EXPECT_EQ(parser->GetSentenceCount(), 3u);
}

TEST_F(NmeaFramerTest, SeparatorCountsInChecksum)
{
    // A checksum computed without the comma after the address does not match.
    const std::string content = "GPGGA,123519";
    unsigned withoutComma = 0;
    for (char c : content)
        withoutComma ^= c == ',' ? 0 : static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", withoutComma ^ ',');
    // withoutComma ^ ',' is the real checksum only because the body has a single comma.
    parser->ProcessBytes("$" + content + tail);
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    std::snprintf(tail, sizeof tail, "*%02X\r\n", withoutComma);
    parser->ProcessBytes("$" + content + tail);
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
}

TEST_F(NmeaFramerTest, CarriageReturnAcceptsUncheckedAndDollarDoesNotRestart)
{
    parser->ProcessBytes("$GPGGA,101010,\n$GPZDA,5\r\n");
    // The LF and the second "$" are body text of one GGA sentence.
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    EXPECT_EQ(parser->GetGga().count, 1u);
    EXPECT_EQ(parser->GetGga().hour, 10);
    EXPECT_EQ(parser->GetZda().count, 0u);
    // Without CR and without "*", an unterminated sentence waits.
    parser->ProcessBytes("$GPZDA,111111,01,01,2001,00,00\n");
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    parser->ProcessBytes("\r");
    EXPECT_EQ(parser->GetZda().count, 1u);
}

TEST_F(NmeaFramerTest, StarAsAddressSeparatorFramesTheRestAsBody)
{
    // "*" ends the address like a comma; the digits that follow are body text, taken at CR.
    parser->ProcessBytes("$GPGGA*12\r\n");
    EXPECT_EQ(parser->GetSentenceCount(), 1u);
    EXPECT_EQ(parser->GetGga().count, 1u);
    EXPECT_EQ(parser->GetGga().hour, 12); // field 0 "12"
}

TEST(NmeaGetFieldTest, FieldRules)
{
    char out[CNmeaParser::kFieldCapacity];
    EXPECT_TRUE(CNmeaParser::GetField("a,b,,d", 0, out, sizeof out));
    EXPECT_STREQ(out, "a");
    EXPECT_TRUE(CNmeaParser::GetField("a,b,,d", 3, out, sizeof out));
    EXPECT_STREQ(out, "d");
    EXPECT_FALSE(CNmeaParser::GetField("a,b,,d", 2, out, sizeof out));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(CNmeaParser::GetField("a,b,,d", 4, out, sizeof out));
    EXPECT_FALSE(CNmeaParser::GetField(",b", 0, out, sizeof out));
    // A trailing empty field starts at the end of the body: present, with empty text.
    std::strcpy(out, "junk");
    EXPECT_TRUE(CNmeaParser::GetField("a,", 1, out, sizeof out));
    EXPECT_STREQ(out, "");
    EXPECT_FALSE(CNmeaParser::GetField("a,", 2, out, sizeof out));
    // The entirely empty body holds every field.
    EXPECT_TRUE(CNmeaParser::GetField("", 0, out, sizeof out));
    EXPECT_TRUE(CNmeaParser::GetField("", 17, out, sizeof out));
    EXPECT_STREQ(out, "");
    // At most capacity - 1 characters.
    EXPECT_TRUE(CNmeaParser::GetField("x,123456789012345678901234567890", 1, out, sizeof out));
    EXPECT_STREQ(out, "123456789012345678901234");
    char small[4];
    EXPECT_TRUE(CNmeaParser::GetField("abcdef", 0, small, sizeof small));
    EXPECT_STREQ(small, "abc");
}

TEST(NmeaGetFieldTest, OnePassIndexAgreesWithTheFieldRule)
{
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

TEST_F(NmeaFramerTest, ResetClearsRecordButNotCountOrFraming)
{
    parser->ProcessBytes(NmeaSentence(kGga));
    const std::string half = NmeaSentence("GPZDA,201530.00,04,07,2002,00,00");
    parser->ProcessBytes(half.substr(0, 10));
    parser->Reset();
    parser->ProcessBytes(half.substr(10));
    EXPECT_EQ(parser->GetSentenceCount(), 2u);
    EXPECT_EQ(parser->GetGga().count, 0u);
    EXPECT_EQ(parser->GetGga().latitude, 0.0);
    EXPECT_EQ(parser->GetZda().count, 1u);
    EXPECT_EQ(parser->GetGsa().mode, 'M');
    EXPECT_EQ(parser->GetRmb().steer, '?');
    EXPECT_EQ(parser->GetRmc().year, 2000);
}

} // namespace
} // namespace velarin
