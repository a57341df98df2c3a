#include "app/core/DemoSettings.h"

#include "engine/settings/SettingsKeys.h"
#include "platform/SettingsStore.h"

namespace velarin {

void PreseedDemoSettings(SettingsStore& settings, bool firstRun, bool haveReceiver)
{
    if (firstRun)
        return;
    settings.WriteProfileInt(keys::kSettings, keys::kUseNetworkTime, haveReceiver ? 0 : 1);
    settings.WriteProfileInt(keys::kSettings, keys::kFirstTimeConfig, 0);
    settings.WriteProfileInt(keys::kSettings, keys::kDoNotShowTraybarDialog, 1);
    // Time and date from RMC: GGA alone carries no date, so no setting would be made at the
    // local hours next to midnight and the demo would show none for two hours a day.
    settings.WriteProfileInt(keys::kSettings, keys::kUseTimrFrom, 1);
}

} // namespace velarin
