#include "engine/nettime/DaytimeReply.h"

#include <gtest/gtest.h>

using namespace velarin;

TEST(DaytimeReply, ReadsTheNistLine)
{
    const auto fields = ParseDaytimeReply("\n53009 04-01-05 12:34:56 00 0 0  50.0 UTC(NIST) *\n");
    ASSERT_TRUE(fields);
    EXPECT_EQ(std::tie(fields->year, fields->month, fields->day, fields->hour, fields->minute,
                  fields->second, fields->advanceMs),
        std::tuple(2004, 1, 5, 12, 34, 56, 50.0));
    EXPECT_TRUE(IsDaytimeInRange(*fields));
    // Two-digit years pivot at seventy.
    for (auto [yy, year] : { std::pair("69", 2069), std::pair("70", 1970), std::pair("00", 2000),
             std::pair("99", 1999) }) {
        EXPECT_EQ(
            ParseDaytimeReply(std::string("1 ") + yy + "-01-01 00:00:00 0 0 0 0.0")->year, year);
    }
}

TEST(DaytimeReply, MissingTokensAreFailures)
{
    for (const char* reply :
        { "", "\n", "\n53009", "\n53009 04-01-05 12:34:56\n", "\n53009 04-01-05 12:34:56 00 0 0\n",
            "53009 04-01-05", "\n53009 04-01-05\0 12:34:56 00 0 0 50.0 UTC(NIST) *\n" }) {
        EXPECT_FALSE(ParseDaytimeReply(reply)) << '"' << reply << '"';
    }
    // As with strtok, a closing line feed after the health flag is itself a token (msADV 0).
    EXPECT_EQ(ParseDaytimeReply("\n53009 04-01-05 12:34:56 00 0 0 \n")->advanceMs, 0.0);
    // strtok semantics: an embedded NUL ends the text even when more follows.
    const std::string_view withNul("\n53009 04-01-05\0 12:34:56 00 0 0 50.0 UTC(NIST) *\n", 50);
    EXPECT_FALSE(ParseDaytimeReply(withNul));
}

TEST(DaytimeReply, NumbersReadAsAtoiAndRangeCheckCatchesNonsense)
{
    // Garbage in a numeric field reads as 0 (atoi), which the range check then refuses.
    auto garbage = ParseDaytimeReply("x y-z-w v:u:t s r q p o");
    ASSERT_TRUE(garbage);
    EXPECT_FALSE(IsDaytimeInRange(*garbage));

    const char* outOfRange[] = {
        "1 04-13-05 12:34:56 0 0 0 50.0", // month 13
        "1 04-00-05 12:34:56 0 0 0 50.0", // month 0
        "1 04-01-32 12:34:56 0 0 0 50.0", // day 32
        "1 04-01-00 12:34:56 0 0 0 50.0", // day 0
        "1 04-02-30 12:34:56 0 0 0 50.0", // a day February does not have
        "1 03-02-29 12:34:56 0 0 0 50.0", // the 29th outside a leap year
        "1 04-01-05 24:34:56 0 0 0 50.0", // hour 24
        "1 04-01-05 12:60:56 0 0 0 50.0", // minute 60
        "1 04-01-05 12:34:61 0 0 0 50.0", // second 61
        "1 04-01-05 12:34:56 0 0 0 -5.0", // negative advance
        "1 04-01-05 12:34:56 0 0 0 86400000.0", // an advance that would stall the worker
        "1 04-01-05 12:34:56 0 0 0 1e999", // an advance beyond double
        "1 04-01-05 12:34:56 0 0 0 nan", // not a number
        "1 99999999999999999999999-01-05 12:34:56 0 0 0 5", // year far out of range
    };
    for (const char* reply : outOfRange) {
        const auto fields = ParseDaytimeReply(reply);
        ASSERT_TRUE(fields) << reply;
        EXPECT_FALSE(IsDaytimeInRange(*fields)) << reply;
    }
    // A leap second (:60) is in range; the clock itself decides whether it takes it.
    EXPECT_TRUE(IsDaytimeInRange(*ParseDaytimeReply("1 16-12-31 23:59:60 0 1 0 50.0")));
    EXPECT_EQ(ParseDaytimeReply("1 04-01-05 12:34:56 0 0 0 49.9")->advanceMs, 49.9);
}
