#include "engine/settings/StartupSettings.h"

#include "engine/AppState.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/SettingsStore.h"

#include <cstdint>

namespace velarin {

void LoadStartupSettings(SettingsStore& store, AppState& state)
{
    using namespace keys;
    auto read = [&store](const char* section, const char* key, int defaultValue) {
        return store.GetProfileInt(section, key, defaultValue);
    };
    state.timeUpdateRate
        = static_cast<uint16_t>(read(kSettings, kTimeUpdateRate, kTimeUpdateRateDefault));
    state.useTimrFrom = read(kSettings, kUseTimrFrom, kUseTimrFromDefault);
    state.tlGpsGood = read(kSettings, kTLGPSGood, kTLGPSGoodDefault);
    state.tlSats = static_cast<uint16_t>(read(kSettings, kTLSats, kTLSatsDefault));
    state.useNetworkTime = read(kSettings, kUseNetworkTime, kUseNetworkTimeDefault);
    state.timeServerPort = read(kNetwork, kTimeServerPort, kTimeServerPortDefault);
    state.enableSetBeep = read(kSettings, kEnableSetBeep, kEnableSetBeepDefault);
    state.clockEnableSegColor = static_cast<uint32_t>(
        read(kSettings, kClockEnableSegColor, kClockEnableSegColorStartupDefault));
    state.clockDisableSegColor = static_cast<uint32_t>(
        read(kSettings, kClockDisableSegColor, kClockDisableSegColorStartupDefault));
    state.onePpsInput = read(kSettings, kOnePpsInput, kOnePpsInputDefault);
    state.acceptAllTalkers = read(kSettings, kAcceptAllTalkers, kAcceptAllTalkersDefault);
}

void LoadClockWindowSegColors(SettingsStore& store, AppState& state)
{
    using namespace keys;
    const auto active = static_cast<uint32_t>(
        store.GetProfileInt(kSettings, kClockEnableSegColor, kClockEnableSegColorWindowDefault));
    const auto inactive = static_cast<uint32_t>(
        store.GetProfileInt(kSettings, kClockDisableSegColor, kClockDisableSegColorWindowDefault));
    state.clockEnableSegColor = active;
    state.clockDisableSegColor = inactive;
    state.clockActiveSegColor = active;
    state.clockInactiveSegColor = inactive;
}

} // namespace velarin
