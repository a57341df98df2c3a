#include "engine/frame/TrayMenu.h"

#include <array>

namespace velarin {

std::span<const TrayMenuItem> TrayMenuItems()
{
    static constexpr std::array kItems {
        TrayMenuItem { cmd::kTrayProperties, "&Properties..." },
        TrayMenuItem { cmd::kTraySetPcClockNow, "&Set PC Clock Now" },
        TrayMenuItem { 0, "" },
        TrayMenuItem { cmd::kTrayShowClock, "Show &Clock" },
        TrayMenuItem { cmd::kTrayResetClockPosition, "&Reset Clock Position" },
        TrayMenuItem { 0, "" },
        TrayMenuItem { cmd::kHelpFinder, "&Help Topics..." },
        TrayMenuItem { 0, "" },
        TrayMenuItem { cmd::kAppExit, "&Exit" },
    };
    return kItems;
}

TrayMenuItemState TrayMenuItemStateFor(int id, bool timeReferenceUsable, bool clockVisible)
{
    TrayMenuItemState state;
    if (id == cmd::kTraySetPcClockNow)
        state.enabled = timeReferenceUsable;
    if (id == cmd::kTrayShowClock)
        state.checked = clockVisible;
    return state;
}

} // namespace velarin
