#include "engine/nettime/NetworkTime.h"

#include "engine/nettime/DaytimeClient.h"
#include "engine/nettime/SntpClient.h"
#include "engine/settings/SettingsKeys.h"

#include <cstdio>

namespace velarin {

int SetClockFromSntp(NetworkTimeContext& context, const std::string& server)
{
    CSntpClient client(context.sockets, context.clock, context.cancel, context.sntpTimeoutMs);
    NtpServerResponse reply;
    if (!client.GetServerTime(server, reply, context.sntpPort)) {
        context.Log("CSntpClient::GetServerTime " + server + ": " + client.LastError());
        return kSntpQueryFailed;
    }
    // The current time is read again right before the setting, so the time since the reply
    // arrived is not lost.
    const NtpTime newTime = NtpTime::GetCurrentTime(context.clock) + reply.localClockOffset;
    const int set = client.SetClientTime(newTime);
    char line[160];
    std::snprintf(line, sizeof line,
        "SetClockFromSntp %s: stratum %d offset %+.6f s delay %.6f s, %s", server.c_str(),
        reply.stratum, reply.localClockOffset, reply.roundTripDelay,
        set ? "clock set" : "clock refused the time");
    context.Log(set ? line + context.SettingNoteSuffix() : std::string(line));
    return set ? kSntpClockSet : kSntpSetFailed;
}

int SetClockFromNetwork(NetworkTimeContext& context)
{
    if (context.settings.GetProfileInt(keys::kSettings, keys::kUseSNTP, keys::kUseSNTPDefault) != 1)
        return SetClockFromDaytime(context);

    const int result = SetClockFromSntp(context, context.state.CurrentTimeServer());
    if (context.Cancelled() && result == kSntpQueryFailed)
        return 0;
    context.state.networkFailure = result == kSntpClockSet ? 0 : 1;
    return result == kSntpClockSet ? 1 : 0;
}

} // namespace velarin
