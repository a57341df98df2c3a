#pragma once

#include <span>
#include <string_view>

namespace velarin {

// Command ids of the tray menu (resource 111) and the frame's help commands.
namespace cmd {
inline constexpr int kTrayProperties = 32770;
inline constexpr int kTraySetPcClockNow = 32774;
inline constexpr int kTrayShowClock = 32782;
inline constexpr int kTrayResetClockPosition = 32788;
inline constexpr int kAppExit = 57665;
inline constexpr int kHelpFinder = 57667;
inline constexpr int kHelpContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kDefaultHelp = 57671;
} // namespace cmd

// One item of menu 111; a separator has id 0 and no text.
struct TrayMenuItem {
    int id;
    std::string_view text;
};

std::span<const TrayMenuItem> TrayMenuItems();

// Item states asked for just before the menu appears: only "&Set PC Clock Now" can be disabled
// (no usable time reference) and only "Show &Clock" can be checked (clock window visible).
struct TrayMenuItemState {
    bool enabled = true;
    bool checked = false;
};
TrayMenuItemState TrayMenuItemStateFor(int id, bool timeReferenceUsable, bool clockVisible);

} // namespace velarin
