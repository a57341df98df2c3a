#include "engine/clockset/GpsClockSetting.h"

#include "base/Calendar.h"
#include "engine/settings/SettingsKeys.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace velarin {

namespace {

std::optional<SystemTime> addMilliseconds(const SystemTime& time, int64_t milliseconds)
{
    const auto ms = ToUnixMilliseconds(time);
    if (!ms)
        return std::nullopt;
    return FromUnixMilliseconds(*ms + milliseconds);
}

std::optional<SystemTime> addSeconds(const SystemTime& time, int seconds)
{
    return addMilliseconds(time, static_cast<int64_t>(seconds) * 1000);
}

} // namespace

GpsClockSetting::GpsClockSetting(SettingsStore& settings, AppState& app, GpsTimeSource& gps,
    SystemClock& clock, SystemLog& log, PpsDetector& pps, CancelSignal& cancel)
    : settings_(settings)
    , app_(app)
    , gps_(gps)
    , clock_(clock)
    , log_(log)
    , pps_(pps)
    , cancel_(cancel)
{
}

std::optional<SystemTime> GpsClockSetting::ComposeSetting(
    SystemTime r, const SystemTime& t, bool dateFromReceiver, bool pps, int delay)
{
    if (dateFromReceiver) {
        r.year = t.year;
        r.month = t.month;
        r.day = t.day;
    }
    r.hour = t.hour;
    r.minute = t.minute;
    r.second = t.second;
    std::optional<SystemTime> result = r;
    // The pulse starts the second after the one last decoded.
    if (pps)
        result = addSeconds(*result, 1);
    if (result && delay < 0) {
        result = addSeconds(*result, -1);
        delay += 1000;
    }
    if (!result)
        return std::nullopt;
    // A delay outside 0..999 still gives an invalid field here, which the clock refuses.
    result->milliseconds = static_cast<uint16_t>(delay);
    return result;
}

GpsClockSetting::CatchUp GpsClockSetting::CatchUpAfter(int64_t elapsedMicroseconds)
{
    // Beyond a second the stamp cannot be this edge's (or the clock was stepped meanwhile).
    if (elapsedMicroseconds < 0 || elapsedMicroseconds >= 1000000)
        return {};
    const int milliseconds = static_cast<int>(elapsedMicroseconds / 1000) + 1;
    return { milliseconds, milliseconds * 1000 - static_cast<int>(elapsedMicroseconds) };
}

SystemTime GpsClockSetting::catchUpWithEdge(const SystemTime& setting, int64_t edgeUtcMicroseconds)
{
    if (setting.milliseconds > 999)
        return setting; // refused by the clock whatever is added
    // A sleep that ends well after its millisecond began (a busy machine) is followed by one to
    // the next millisecond, a few times at most.
    constexpr int kTries = 3;
    constexpr int64_t kLateMicroseconds = 200;
    CatchUp catchUp;
    for (int attempt = 0; attempt < kTries; ++attempt) {
        catchUp = CatchUpAfter(clock_.GetUtcMicroseconds() - edgeUtcMicroseconds);
        if (catchUp.milliseconds == 0)
            return setting;
        std::this_thread::sleep_for(std::chrono::microseconds(catchUp.waitMicroseconds));
        const int64_t late = clock_.GetUtcMicroseconds() - edgeUtcMicroseconds
            - int64_t { catchUp.milliseconds } * 1000;
        if (late < kLateMicroseconds)
            break;
    }
    return addMilliseconds(setting, catchUp.milliseconds).value_or(setting);
}

int GpsClockSetting::SetTimeFromGps()
{
    const int delay
        = settings_.GetProfileInt(keys::kSettings, keys::kGPSTimeDelay, keys::kGPSTimeDelayDefault);
    const int source = app_.useTimrFrom.load();
    const bool dateFromReceiver = source == 1 || source == 2;
    if (!dateFromReceiver) {
        // GPGGA has no date: the PC's is used, but not near midnight (local 23 and 1 o'clock),
        // where the PC's date and the receiver's time of day may disagree.
        const SystemTime local = clock_.GetLocal();
        if (local.hour == 23 || local.hour == 1)
            return 0;
    }
    if (app_.timeReferenceUsable.load() == 0)
        return 0;

    const bool pps = app_.onePpsInput.load() == 1;
    if (pps) {
        log_.WriteSystemLog("Using 1PPS");
        if (!pps_.WaitForPps())
            return 0;
    } else {
        log_.WriteSystemLog("Wait one second");
        if (!pps_.WaitForNextGpsSecond())
            return 0;
    }
    // The change may be the watchdog clearing the record rather than a new sentence, and a stop
    // request may have come with the edge: neither may set the clock.
    if (cancel_.IsCancelled() || app_.noDataFlag.load() != 0)
        return 0;

    const SystemTime now = clock_.GetUtc();
    const auto receiver = gps_.GetReceiverTime();
    if (!receiver)
        return 0;
    if (dateFromReceiver)
        log_.WriteSystemLog("Using year from ZDA or RMC");
    auto setting = ComposeSetting(now, *receiver, dateFromReceiver, pps, delay);
    if (!setting)
        return 0;
    if (const auto edge = pps ? pps_.LastEdgeUtcMicroseconds() : std::nullopt)
        setting = catchUpWithEdge(*setting, *edge);

    char line[64];
    std::snprintf(line, sizeof line, "GPSTime is: %02d/%02d/%04d %02d:%02d:%02d", setting->month,
        setting->day, setting->year, setting->hour, setting->minute, setting->second);
    log_.WriteSystemLog(line);
    const bool set = clock_.SetUtc(*setting);
    const std::string note = set && settingNote_ ? settingNote_() : std::string();
    log_.WriteSystemLog(note.empty() ? std::string("Time set") : "Time set: " + note);
    return set ? 1 : 0;
}

} // namespace velarin
