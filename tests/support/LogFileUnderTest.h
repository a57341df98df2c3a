#pragma once

#include "engine/frame/SystemLog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace velarin::test {

// A system log opened on a temporary file named after the running test, removed at the end.
class LogFileUnderTest {
public:
    explicit LogFileUnderTest(SystemLog& log)
        : log_(log)
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ /= "velarin-log-" + std::to_string(::getpid()) + "-"
            + (info ? std::string(info->test_suite_name()) + "." + info->name() : "none") + ".log";
        Reopen();
    }
    ~LogFileUnderTest()
    {
        log_.CloseSystemLog();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    LogFileUnderTest(const LogFileUnderTest&) = delete;
    LogFileUnderTest& operator=(const LogFileUnderTest&) = delete;

    // Opens (and empties) the file again.
    void Reopen() { log_.OpenSystemLog(path_.string()); }
    // Closes the log and returns the message texts of its lines, without their time stamps.
    std::vector<std::string> Lines()
    {
        log_.CloseSystemLog();
        std::ifstream in(path_);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(
                line.substr(line.find(": ") == std::string::npos ? 0 : line.find(": ") + 2));
        return lines;
    }

private:
    SystemLog& log_;
    std::filesystem::path path_ = std::filesystem::temp_directory_path();
};

} // namespace velarin::test
