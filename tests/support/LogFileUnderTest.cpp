#include "support/LogFileUnderTest.h"

#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace velarin::test {

LogFileUnderTest::LogFileUnderTest(SystemLog& log)
    : log_(log)
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path()
        / ("velarin-log-" + std::to_string(::getpid()) + "-"
            + (info ? std::string(info->test_suite_name()) + "." + info->name() : "none") + ".log");
    Reopen();
}

LogFileUnderTest::~LogFileUnderTest()
{
    log_.CloseSystemLog();
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

void LogFileUnderTest::Reopen()
{
    log_.OpenSystemLog(path_.string());
}

std::vector<std::string> LogFileUnderTest::Lines()
{
    log_.CloseSystemLog();
    std::ifstream in(path_);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        const size_t stamp = line.find(": ");
        lines.push_back(stamp == std::string::npos ? line : line.substr(stamp + 2));
    }
    return lines;
}

} // namespace velarin::test
