#pragma once

#include "engine/AppState.h"
#include "engine/clockset/ClockRateEstimator.h"
#include "engine/frame/SystemLog.h"
#include "platform/SettingsStore.h"
#include "platform/SystemClock.h"

#include <functional>
#include <string>
#include <string_view>

namespace velarin {

// The clock the set-time worker sets through. Every setting still steps the clock exactly as
// asked; after a successful one this measures the offset it removed, learns the clock's rate
// from the series (ClockRateEstimator) and, with "RateCorrection" on, gives the kernel the
// frequency correction that holds the clock on time until the next setting. It leaves the rate
// alone while another time service keeps it. Used from the worker thread only; the page reads
// the result from the application state.
class RateCorrectingClock : public SystemClock {
public:
    using Notice = std::function<void(std::string_view)>;

    // notice receives the one-time message that another service keeps the rate (stderr by
    // default).
    RateCorrectingClock(SystemClock& clock, SettingsStore& settings, AppState& app, SystemLog& log,
        Notice notice = {});

    SystemTime GetUtc() override { return clock_.GetUtc(); }
    SystemTime GetLocal() override { return clock_.GetLocal(); }
    int64_t GetUtcMicroseconds() override { return clock_.GetUtcMicroseconds(); }
    uint32_t GetTickCount() override { return clock_.GetTickCount(); }
    bool EnableSystemTimePrivilege() override { return clock_.EnableSystemTimePrivilege(); }
    void DisableSystemTimePrivilege() override { clock_.DisableSystemTimePrivilege(); }
    bool SetUtc(const SystemTime& utc) override;
    ClockFrequency* Frequency() override { return clock_.Frequency(); }

    // For the log line of the setting just made: "offset removed +1.234 ms, rate correction
    // -37.000 ppm" (the correction in use up to it, and the next one when it changed); empty
    // when the last set failed.
    const std::string& SettingNote() const { return note_; }
    const ClockRateEstimator& Estimator() const { return estimator_; }

    // The reference a setting comes from now: "gps", or the protocol and the server's family
    // (its domain, so that the servers of one pool count as one).
    std::string CurrentReference() const;
    static std::string ServerFamily(const std::string& server);

private:
    void afterSetting(int64_t targetMicroseconds, int64_t readingMicroseconds, int64_t gaugeBefore,
        ClockFrequency& frequency);
    void publish(AppState::ClockRateState state);
    void leaveToOtherService(const std::string& service);
    std::string applyCorrection(ClockFrequency& frequency, bool enabled);

    SystemClock& clock_;
    SettingsStore& settings_;
    AppState& app_;
    SystemLog& log_;
    Notice notice_;
    ClockRateEstimator estimator_;
    std::string note_;
    bool haveGauge_ = false;
    int64_t gaugeAfterLast_ = 0;
    bool toldAboutOtherService_ = false;
    // The frequency found before this program first changed it, restored when switched off.
    bool changedByUs_ = false;
    double baselinePpm_ = 0.0;
    double appliedPpm_ = 0.0;
};

} // namespace velarin
