#include "engine/nettime/DaytimeClient.h"

#include "engine/nettime/DaytimeReply.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace velarin {

namespace {
constexpr size_t kDaytimeReplyMax = 51;
}

bool PauseUnlessCancelled(int milliseconds, const std::atomic<bool>* cancel)
{
    using namespace std::chrono;
    const auto end = steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        if (cancel && cancel->load())
            return false;
        const auto now = steady_clock::now();
        if (now >= end)
            return true;
        std::this_thread::sleep_for(std::min<steady_clock::duration>(end - now, 10ms));
    }
}

int SetClockFromDaytime(NetworkTimeContext& context)
{
    const std::string server = context.state.CurrentTimeServer();
    const int port = context.state.timeServerPort.load();
    const NetworkReply reply = context.sockets.ReceiveStreamLine(server, port, kDaytimeReplyMax,
        context.daytimeConnectTimeoutMs, context.daytimeReceiveTimeoutMs, context.cancel);

    switch (reply.status) {
    case NetworkStatus::Ok:
        break;
    case NetworkStatus::ResolveFailed:
    case NetworkStatus::SocketFailed:
    case NetworkStatus::ConnectFailed:
        context.state.networkFailure = 1;
        context.Log("SetClockFromDaytime: cannot connect to " + server);
        return 0;
    default:
        context.Log(std::string("SetClockFromDaytime: ") + NetworkStatusText(reply.status));
        return 0;
    }
    context.state.networkFailure = 0;

    const std::string_view text(
        reinterpret_cast<const char*>(reply.bytes.data()), reply.bytes.size());
    const auto fields = ParseDaytimeReply(text);
    if (!fields) {
        context.Log("SetClockFromDaytime: incomplete reply");
        return 0;
    }
    if (!IsDaytimeInRange(*fields)) {
        context.Log("SetClockFromDaytime: reply out of range");
        return 0;
    }
    if (!PauseUnlessCancelled(static_cast<int>(fields->advanceMs), context.cancel))
        return 0;

    // Start from the current record so the day of week has a value; the clock ignores it.
    SystemTime utc = context.clock.GetUtc();
    utc.year = static_cast<uint16_t>(fields->year);
    utc.month = static_cast<uint16_t>(fields->month);
    utc.day = static_cast<uint16_t>(fields->day);
    utc.hour = static_cast<uint16_t>(fields->hour);
    utc.minute = static_cast<uint16_t>(fields->minute);
    utc.second = static_cast<uint16_t>(fields->second);
    utc.milliseconds = 0;
    const bool set = context.clock.SetUtc(utc);
    context.Log(set ? "SetClockFromDaytime: clock set" + context.SettingNoteSuffix()
                    : std::string("SetClockFromDaytime: clock refused the time"));
    return set ? 1 : 0;
}

} // namespace velarin
