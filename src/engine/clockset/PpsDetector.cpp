#include "engine/clockset/PpsDetector.h"

#include "engine/settings/SettingsKeys.h"

#include <algorithm>

namespace velarin {

PpsDetector::PpsDetector(SettingsStore& settings, AppState& app, GpsTimeSource& gps,
    ThreadPriority& priority, CancelSignal& cancel, DeviceAccess device)
    : settings_(settings)
    , app_(app)
    , gps_(gps)
    , priority_(priority)
    , cancel_(cancel)
    , device_(std::move(device))
{
}

bool PpsDetector::WaitForNextGpsSecond()
{
    const auto first = gps_.GetReceiverTime();
    const int s0 = first ? first->second : -1;
    priority_.SetCurrentThreadPriority(ThreadPriorityLevel::Normal);
    CancelHookScope interrupt(cancel_, [this] { gps_.WakeWaiters(); });
    uint64_t seen = gps_.UpdateSequence();
    for (;;) {
        // A missing time is no new second: a record just cleared by the watchdog must not pass
        // for one.
        const auto now = gps_.GetReceiverTime();
        if (now && now->second != s0) {
            priority_.SetCurrentThreadPriority(ThreadPriorityLevel::AboveNormal);
            return true;
        }
        if (cancel_.IsCancelled() || app_.timeReferenceUsable.load() == 0)
            return false;
        seen = gps_.WaitForUpdate(seen, kCheckInterval);
    }
}

LineEventResult PpsDetector::waitLineEvent(SerialDevice& device)
{
    // In slices, so that a stop request that comes just before a wait begins is still seen
    // soon; an edge wakes the wait at once either way.
    for (int waited = 0; waited < lineWaitTimeoutMs_; waited += kLineWaitSliceMs) {
        if (cancel_.IsCancelled())
            return LineEventResult::Cancelled;
        const LineEventResult result
            = device.WaitLineEvent(std::min(kLineWaitSliceMs, lineWaitTimeoutMs_ - waited));
        if (result != LineEventResult::TimedOut)
            return result;
    }
    return LineEventResult::TimedOut;
}

PpsDetector::EdgeWait PpsDetector::waitTwoEdges(SerialDevice& device)
{
    CancelHookScope interrupt(cancel_, [&device] { device.CancelWaits(); });
    // The first wait usually takes a change recorded while the decoded second was awaited; the
    // second ends at the next edge, the pulse that starts the following second.
    for (int i = 0; i < 2; ++i) {
        switch (waitLineEvent(device)) {
        case LineEventResult::Changed:
            break;
        case LineEventResult::TimedOut:
            return EdgeWait::TryFailed;
        case LineEventResult::Cancelled:
        case LineEventResult::Failed:
            return EdgeWait::Abort;
        }
        if (cancel_.IsCancelled())
            return EdgeWait::Abort;
    }
    return EdgeWait::Edge;
}

bool PpsDetector::WaitForPps()
{
    const int polarity = settings_.GetProfileInt(
        keys::kSettings, keys::kOnePpsPolarity, keys::kOnePpsPolarityDefault);
    const int line = settings_.GetProfileInt(keys::kSettings, keys::kLine, keys::kLineDefault);

    SerialDevice* device = device_ ? device_() : nullptr;
    if (!device || line < 0 || !device->SetEventMask(static_cast<uint32_t>(line)))
        return false;

    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!WaitForNextGpsSecond())
            return false;
        if (polarity < 0 || polarity > 2)
            continue;
        const EdgeWait edge = waitTwoEdges(*device);
        if (edge == EdgeWait::Abort)
            return false;
        if (edge == EdgeWait::TryFailed)
            continue;
        if (polarity == 2)
            return true;
        uint32_t status = 0;
        if (!device->GetModemStatus(status))
            continue;
        uint32_t bit = 0;
        if (line == static_cast<int>(kLineEventDsr))
            bit = kModemStatusDsrOn;
        else if (line == static_cast<int>(kLineEventCts))
            bit = kModemStatusCtsOn;
        if (bit == 0)
            continue;
        const bool high = (status & bit) != 0;
        if ((polarity == 0 && !high) || (polarity == 1 && high))
            return true;
    }
    return false;
}

} // namespace velarin
