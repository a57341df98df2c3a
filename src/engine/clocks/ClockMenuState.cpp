#include "engine/clocks/ClockMenuState.h"

#include "engine/clocks/ClockCommands.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/SettingsStore.h"

namespace velarin {

ClockMenuState ComputeClockMenuState(SettingsStore& settings, const ClockControlFlags& current,
    int digitalDayOfYear, bool translucencySupported, bool timeReferenceUsable)
{
    ClockMenuState state;
    const int type = settings.GetProfileInt(keys::kSettings, keys::kClockType, 0);
    state.menuId = type == 1 ? cmd::kMenuAnalog : cmd::kMenuDigital;
    const int color = settings.GetProfileInt(keys::kSettings, keys::kClockColor, cmd::kCustomColor);
    if (color == cmd::kBlue || color == cmd::kGreen || color == cmd::kRed
        || color == cmd::kCustomColor)
        state.checkedColorCommand = color;
    state.transparent = settings.GetProfileInt(keys::kSettings, keys::kTransparent, 0) == 1;
    state.transparentEnabled = translucencySupported;
    state.setTransparencyEnabled = translucencySupported && state.transparent;
    state.twentyFourHour = current.twentyFourHour != 0;
    state.dayOfYear = digitalDayOfYear > 0;
    state.localTime = current.localTime != 0;
    state.alwaysOnTop = settings.GetProfileInt(keys::kSettings, keys::kClockAlwayssOnTop, 0) == 1;
    state.analog = type == 1;
    state.digital = type == 0;
    state.setPcClockNowEnabled = timeReferenceUsable;
    return state;
}

} // namespace velarin
