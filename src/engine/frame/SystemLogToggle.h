#pragma once

#include "engine/frame/SystemLog.h"

#include <functional>
#include <optional>
#include <string>

namespace velarin {

inline constexpr const char* kEnableSystemLoggingText = "Enable System Logging...";
inline constexpr const char* kDisableSystemLoggingText = "Disable System Logging";

// The save-as question of the system log's button.
inline constexpr const char* kSystemLogDefaultExtension = "LOG";
inline constexpr const char* kSystemLogDefaultFileName = "LogFile";

// The text of the system log's button for the log's state.
const char* SystemLogButtonText(const SystemLog& log);

// The button's handler: an open log is closed; otherwise askPath asks for a file (nothing when
// the user cancels) and the log is opened there. A file that cannot be opened leaves logging off
// without a message. Returns the button's text for the state that results, so that the button
// never offers to disable a log that is not open.
std::string ToggleSystemLog(
    SystemLog& log, const std::function<std::optional<std::string>()>& askPath);

} // namespace velarin
