#include "platform/StderrUserNotifier.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace velarin {
namespace {

TEST(StderrUserNotifier, OneLinePerMessageWithTheApplicationNameAsDefaultCaption)
{
    std::FILE* out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    StderrUserNotifier notifier("velarin", out);
    notifier.ShowMessage(
        "Communication Port Not Found!\n\nThe port does not exist", "", MessageIcon::Stop);
    notifier.Beep(MessageIcon::Stop);
    notifier.ShowMessage("SetCommState", "Could not set communication state", MessageIcon::Stop);
    std::rewind(out);
    char text[256] = {};
    const size_t length = std::fread(text, 1, sizeof text - 1, out);
    std::fclose(out);
    EXPECT_EQ(std::string(text, length),
        "velarin: Communication Port Not Found! The port does not exist\n"
        "Could not set communication state: SetCommState\n");
}

} // namespace
} // namespace velarin
