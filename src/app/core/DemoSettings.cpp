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
    // The receiver's own date (RMC): time of day alone is never used near local midnight, and a
    // demo should set the clock at any hour.
    settings.WriteProfileInt(keys::kSettings, keys::kUseTimrFrom, 1);
}

} // namespace velarin
