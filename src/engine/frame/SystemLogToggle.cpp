#include "engine/frame/SystemLogToggle.h"

namespace velarin {

const char* SystemLogButtonText(const SystemLog& log)
{
    return log.IsSystemLogOpen() ? kDisableSystemLoggingText : kEnableSystemLoggingText;
}

std::string ToggleSystemLog(
    SystemLog& log, const std::function<std::optional<std::string>()>& askPath)
{
    if (log.IsSystemLogOpen()) {
        log.CloseSystemLog();
    } else if (const std::optional<std::string> path = askPath()) {
        log.OpenSystemLog(*path);
    }
    return SystemLogButtonText(log);
}

} // namespace velarin
