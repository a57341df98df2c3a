#include "engine/frame/SystemLogToggle.h"
#include "platform/sim/SimulatedSystemClock.h"
#include "support/NmeaSentence.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace velarin {
namespace {

class SystemLogToggleTest : public ::testing::Test {
protected:
    SystemLogToggleTest()
        : clock([this] { return trueMicroseconds; })
        , log(clock)
    {
    }

    std::optional<std::string> Ask()
    {
        ++asked;
        return answer;
    }
    std::string Toggle()
    {
        return ToggleSystemLog(log, [this] { return Ask(); });
    }

    QTemporaryDir dir;
    int64_t trueMicroseconds = 1'073'306'096'000'000; // 2004-01-05 12:34:56 UTC
    SimulatedSystemClock clock;
    SystemLog log;
    std::optional<std::string> answer;
    int asked = 0;
};

TEST_F(SystemLogToggleTest, OnWritesLinesStampedInUtcOffClosesTheFile)
{
    // The PC shows local time well away from UTC; the log keeps to UTC.
    clock.SetLocalOffsetMinutes(-300);
    const std::string path = dir.filePath("LogFile.LOG").toStdString();
    std::ofstream(path) << "an older run's lines\n";

    answer = path;
    EXPECT_EQ(Toggle(), "Disable System Logging");
    EXPECT_TRUE(log.IsSystemLogOpen());
    log.WriteSystemLog("SetTimeThread::SetTime");
    trueMicroseconds += 1'000'000;
    log.WriteSystemLog("SetTime using network");

    EXPECT_EQ(Toggle(), "Enable System Logging...");
    EXPECT_EQ(asked, 1); // closing asks nothing
    EXPECT_FALSE(log.IsSystemLogOpen());
    log.WriteSystemLog("after closing");
    EXPECT_EQ(test::ReadFileBytes(path),
        "20040105 12:34:56: SetTimeThread::SetTime\n"
        "20040105 12:34:57: SetTime using network\n");
}

TEST_F(SystemLogToggleTest, CancelChangesNothing)
{
    EXPECT_EQ(Toggle(), "Enable System Logging...");
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(log.IsSystemLogOpen());
}

TEST_F(SystemLogToggleTest, AFileThatCannotBeWrittenLeavesLoggingOffAndTheButtonSaysSo)
{
    answer = dir.filePath("no-such-folder/LogFile.LOG").toStdString();
    EXPECT_EQ(Toggle(), "Enable System Logging...");
    EXPECT_FALSE(log.IsSystemLogOpen());
    EXPECT_STREQ(SystemLogButtonText(log), "Enable System Logging...");
    // The next press asks again instead of "closing" a log that never opened.
    answer = dir.filePath("LogFile.LOG").toStdString();
    EXPECT_EQ(Toggle(), "Disable System Logging");
    EXPECT_EQ(asked, 2);
}

} // namespace
} // namespace velarin
