#pragma once

#include "engine/AppState.h"
#include "engine/frame/SystemLog.h"
#include "platform/NetworkSockets.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"

#include <atomic>
#include <functional>
#include <string>

namespace velarin {

// Everything one network clock setting needs. The server is the current time server of the
// state, the Daytime port its "TimeServerPort"; "UseSNTP" is read from the settings each time.
struct NetworkTimeContext {
    SettingsStore& settings;
    AppState& state;
    SystemClock& clock;
    NetworkSockets& sockets;
    SystemLog* log = nullptr; // lines are written only while the log is open
    // Set by the worker's owner to end a query early (within about 20 ms); may be null.
    const std::atomic<bool>* cancel = nullptr;
    int sntpPort = 123;
    int sntpTimeoutMs = 5000;
    // A server that accepts and never answers must not hold the worker: both the connection and
    // the reply are bounded.
    int daytimeConnectTimeoutMs = 10000;
    int daytimeReceiveTimeoutMs = 10000;

    // What a successful setting did beyond the step (the offset removed, the rate in use), for
    // its log line; may be empty.
    std::function<std::string()> settingNote {};

    bool Cancelled() const { return cancel && cancel->load(); }
    // "; " and the note, or nothing.
    std::string SettingNoteSuffix() const
    {
        const std::string note = settingNote ? settingNote() : std::string();
        return note.empty() ? note : "; " + note;
    }
    void Log(std::string_view text) const
    {
        if (log)
            log->WriteSystemLog(text);
    }
};

} // namespace velarin
