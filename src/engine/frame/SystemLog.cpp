#include "engine/frame/SystemLog.h"

namespace velarin {

SystemLog::SystemLog(SystemClock& clock)
    : clock_(clock)
{
}

SystemLog::~SystemLog()
{
    CloseSystemLog();
}

bool SystemLog::OpenSystemLog(const std::string& path)
{
    std::lock_guard lock(mutex_);
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    file_ = std::fopen(path.c_str(), "w");
    return true;
}

void SystemLog::CloseSystemLog()
{
    std::lock_guard lock(mutex_);
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

bool SystemLog::IsSystemLogOpen() const
{
    std::lock_guard lock(mutex_);
    return file_ != nullptr;
}

void SystemLog::WriteSystemLog(std::string_view text)
{
    std::lock_guard lock(mutex_);
    if (!file_)
        return;
    const SystemTime now = clock_.GetUtc();
    std::fprintf(file_, "%04d%02d%02d %02d:%02d:%02d: %.*s\n", now.year, now.month, now.day,
        now.hour, now.minute, now.second, static_cast<int>(text.size()), text.data());
}

} // namespace velarin
