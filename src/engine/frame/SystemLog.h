#pragma once

#include "platform/SystemClock.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

namespace velarin {

// The optional diagnostic log of the clock-setting steps: one line per event, stamped with the
// current UTC time as "YYYYMMDD hh:mm:ss: text". Written from the set-time worker, opened and
// closed on the user-interface thread; one lock keeps a write off a file being closed.
class SystemLog {
public:
    explicit SystemLog(SystemClock& clock);
    ~SystemLog();
    SystemLog(const SystemLog&) = delete;
    SystemLog& operator=(const SystemLog&) = delete;

    // Always true: a path that cannot be opened leaves logging off without a message.
    bool OpenSystemLog(const std::string& path);
    void CloseSystemLog();
    bool IsSystemLogOpen() const;
    void WriteSystemLog(std::string_view text);

private:
    SystemClock& clock_;
    mutable std::mutex mutex_;
    std::FILE* file_ = nullptr;
};

} // namespace velarin
