#pragma once

#include <optional>
#include <string_view>

namespace velarin {

// Resource ids of the seven tray pictures; the id is what the frame remembers as "shown".
enum TrayIconId : int {
    kTrayIconGpsLocked = 154, // satellite over a globe
    kTrayIconGpsNotLocked = 155, // blue question mark over a globe
    kTrayIconGpsSetting = 136, // clock face over a globe
    kTrayIconGpsNoData = 137, // red cross over a globe
    kTrayIconNetworkOk = 138, // white clock face, olive rim, on a stand
    kTrayIconNetworkSetting = 140, // yellow clock face, olive rim, on a stand
    kTrayIconNetworkFailed = 141, // white clock face with a red cross
};

// What the tray shows before the first refresh and after the tray host came back.
inline constexpr int kTrayStartIcon = kTrayIconGpsLocked;
inline constexpr std::string_view kTrayStartTip = "Velarin";

// The flags the tray state is chosen from, sampled once per refresh.
struct TrayInputs {
    bool useNetworkTime = false;
    bool setTimeBusy = false;
    bool networkFailure = false;
    bool noData = false;
    bool timeReferenceUsable = false;
};

struct TrayState {
    int iconId;
    std::string_view tipText;
    bool operator==(const TrayState&) const = default;
};

// The tray's icon and tip: the first matching state wins, and an update is due only when the
// icon differs from the one shown (the tip text follows the icon, one text per state).
class TrayStatus {
public:
    static TrayState SelectTrayState(const TrayInputs& inputs);

    // The state to send to the tray host, or nothing when the icon shown is already right.
    std::optional<TrayState> RefreshTrayState(const TrayInputs& inputs);
    // The tray host restarted (or the icon was re-added): the start icon is showing again, and
    // the next refresh must send the real state whatever it is.
    void ForgetShownIcon() { iconShown_ = -1; }
    int IconShown() const { return iconShown_; }

private:
    int iconShown_ = -1;
};

} // namespace velarin
