#pragma once

#include "engine/frame/SystemLog.h"
#include "platform/linux/LinuxSystemClock.h"

#include <cstdio>
#include <string>

namespace velarin {

// The program's one system log. Its clock is only read, to stamp the lines in UTC.
class ProgramSystemLog {
public:
    ProgramSystemLog();

    SystemLog& Log() { return log_; }

    // The log asked for on the command line (--system-log): opened from start-up, replacing an
    // existing file. A file that cannot be written is reported on out, and logging stays off.
    void OpenAtStartup(const std::string& path, std::FILE* out = stderr);

private:
    LinuxSystemClock clock_;
    SystemLog log_;
};

} // namespace velarin
