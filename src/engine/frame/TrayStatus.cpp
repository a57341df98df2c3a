#include "engine/frame/TrayStatus.h"

namespace velarin {

TrayState TrayStatus::SelectTrayState(const TrayInputs& in)
{
    if (in.useNetworkTime) {
        if (in.setTimeBusy)
            return { kTrayIconNetworkSetting, "Velarin - Setting PC clock to Netwotk Time" };
        if (in.networkFailure)
            return { kTrayIconNetworkFailed, "Velarin - Cannot connect to network\ntime server" };
        return { kTrayIconNetworkOk, "Velarin - Time referenced to\n Network time" };
    }
    if (in.noData)
        return { kTrayIconGpsNoData, "GPS NMEA data not available" };
    if (in.setTimeBusy)
        return { kTrayIconGpsSetting, "Setting time to GPS" };
    if (!in.timeReferenceUsable)
        return { kTrayIconGpsNotLocked, "Receiving NMEA, Not Time Locked" };
    return { kTrayIconGpsLocked, "Velarin" };
}

std::optional<TrayState> TrayStatus::RefreshTrayState(const TrayInputs& inputs)
{
    const TrayState state = SelectTrayState(inputs);
    if (state.iconId == iconShown_)
        return std::nullopt;
    iconShown_ = state.iconId;
    return state;
}

} // namespace velarin
