#pragma once

#include "engine/AppState.h"
#include "engine/clockset/CancelSignal.h"
#include "engine/clockset/GpsTimeSource.h"
#include "engine/clockset/PpsDetector.h"
#include "engine/frame/SystemLog.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"

#include <functional>
#include <optional>
#include <string>

namespace velarin {

// One attempt to set the PC clock from the GPS receiver: wait for a fresh second (a newly
// decoded sentence, or the 1PPS edge), build the UTC record from the chosen sentence, write the
// receiver-latency fix-up "GPSTimeDelay" into the milliseconds and set the clock at once.
class GpsClockSetting {
public:
    GpsClockSetting(SettingsStore& settings, AppState& app, GpsTimeSource& gps, SystemClock& clock,
        SystemLog& log, PpsDetector& pps, CancelSignal& cancel);

    // Non-zero when the clock was set.
    int SetTimeFromGps();
    // What a successful setting did beyond the step (the offset removed, the rate in use),
    // appended to its "Time set" line.
    void SetSettingNote(std::function<std::string()> note) { settingNote_ = std::move(note); }

    // The record to set from the PC's UTC time r, the receiver time t and the fix-up delay
    // (steps that follow the boundary, without side effects); nullopt when r cannot be moved by a
    // second.
    static std::optional<SystemTime> ComposeSetting(
        SystemTime r, const SystemTime& t, bool dateFromReceiver, bool pps, int delay);

    // With the kernel's stamp of the edge, the time since the edge is added to the setting,
    // rounded up to whole milliseconds, and the set waits for that millisecond to begin: the
    // record's millisecond resolution then costs nothing. Zero milliseconds: no catch-up.
    struct CatchUp {
        int milliseconds = 0;
        int waitMicroseconds = 0;
    };
    static CatchUp CatchUpAfter(int64_t elapsedMicroseconds);

private:
    SystemTime catchUpWithEdge(const SystemTime& setting, int64_t edgeUtcMicroseconds);

    SettingsStore& settings_;
    AppState& app_;
    GpsTimeSource& gps_;
    SystemClock& clock_;
    SystemLog& log_;
    PpsDetector& pps_;
    CancelSignal& cancel_;
    std::function<std::string()> settingNote_;
};

} // namespace velarin
