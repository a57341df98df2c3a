#include "engine/ui/DialogFieldInt.h"
#include "engine/ui/NetworkStatusText.h"

#include <gtest/gtest.h>

#include <string>

namespace velarin {
namespace {

TEST(NetworkStatusText, OneTextForEachState)
{
    for (bool connected : { true, false }) {
        for (int failure : { 0, 1 })
            EXPECT_STREQ(NetworkStatusText(0, connected, failure), "Disabled");
    }
    EXPECT_STREQ(NetworkStatusText(1, true, 0), "Nominal");
    EXPECT_STREQ(NetworkStatusText(1, true, 1), "Cannot connect to network time server");
    EXPECT_STREQ(NetworkStatusText(1, false, 0), "No Internet connection");
    EXPECT_STREQ(NetworkStatusText(1, false, 1), "No Internet connection");
}

TEST(DialogFieldInt, SignedWholeNumbersElseZero)
{
    EXPECT_EQ(DialogFieldInt("13"), 13);
    EXPECT_EQ(DialogFieldInt("  1313 "), 1313);
    EXPECT_EQ(DialogFieldInt("-5"), -5);
    EXPECT_EQ(DialogFieldInt("+70000"), 70000); // no range check: the socket layer refuses it
    EXPECT_EQ(DialogFieldInt("2147483647"), 2147483647);
    EXPECT_EQ(DialogFieldInt("-2147483648"), -2147483647 - 1);
    for (const char* text :
        { "", " ", "-", "12a", "a12", "1 2", "0x10", "2147483648", "99999999999999999999" })
        EXPECT_EQ(DialogFieldInt(text), 0) << text;
}

} // namespace
} // namespace velarin
