#pragma once

#include "engine/frame/SystemLog.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velarin::test {

// A system log opened on a temporary file named after the running test, removed at the end.
class LogFileUnderTest {
public:
    explicit LogFileUnderTest(SystemLog& log);
    ~LogFileUnderTest();
    LogFileUnderTest(const LogFileUnderTest&) = delete;
    LogFileUnderTest& operator=(const LogFileUnderTest&) = delete;

    // Opens (and empties) the file again.
    void Reopen();
    // Closes the log and returns the message texts of its lines, without their time stamps.
    std::vector<std::string> Lines();

private:
    SystemLog& log_;
    std::filesystem::path path_;
};

} // namespace velarin::test
