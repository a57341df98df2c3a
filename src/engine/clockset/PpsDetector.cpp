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

LineEventResult PpsDetector::waitSliced(const std::function<LineEventResult(int)>& wait)
{
    // In slices, so that a stop request that comes just before a wait begins is still seen
    // soon; an edge wakes the wait at once either way.
    for (int waited = 0; waited < lineWaitTimeoutMs_; waited += kLineWaitSliceMs) {
        if (cancel_.IsCancelled())
            return LineEventResult::Cancelled;
        const LineEventResult result
            = wait(std::min(kLineWaitSliceMs, lineWaitTimeoutMs_ - waited));
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
        switch (waitSliced([&device](int ms) { return device.WaitLineEvent(ms); })) {
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

PpsDetector::EdgeWait PpsDetector::waitKernelEdge(SerialDevice& device, PpsEdge edge)
{
    int64_t stamp = 0;
    // Edges stamped while the decoded second was awaited belong to that second: passed over.
    if (device.WaitKernelPps(edge, 0, stamp) == LineEventResult::Failed)
        return EdgeWait::TryFailed;
    switch (waitSliced([&](int ms) { return device.WaitKernelPps(edge, ms, stamp); })) {
    case LineEventResult::Changed:
        lastEdge_ = stamp;
        return cancel_.IsCancelled() ? EdgeWait::Abort : EdgeWait::Edge;
    case LineEventResult::Cancelled:
        return EdgeWait::Abort;
    case LineEventResult::TimedOut:
    case LineEventResult::Failed:
        break;
    }
    return EdgeWait::TryFailed;
}

std::optional<PpsEdge> PpsDetector::EdgeForPolarity(int polarity)
{
    switch (polarity) {
    case 0:
        return PpsEdge::Clear;
    case 1:
        return PpsEdge::Assert;
    case 2:
        return PpsEdge::Any;
    default:
        return std::nullopt;
    }
}

bool PpsDetector::levelMatches(SerialDevice& device, int line, int polarity)
{
    if (polarity == 2)
        return true;
    uint32_t status = 0;
    if (!device.GetModemStatus(status))
        return false;
    uint32_t bit = 0;
    if (line == static_cast<int>(kLineEventDsr))
        bit = kModemStatusDsrOn;
    else if (line == static_cast<int>(kLineEventCts))
        bit = kModemStatusCtsOn;
    else if (line == static_cast<int>(kLineEventDcd))
        bit = kModemStatusDcdOn;
    if (bit == 0)
        return false;
    const bool high = (status & bit) != 0;
    return (polarity == 0 && !high) || (polarity == 1 && high);
}

bool PpsDetector::WaitForPps()
{
    const int polarity = settings_.GetProfileInt(
        keys::kSettings, keys::kOnePpsPolarity, keys::kOnePpsPolarityDefault);
    const int line = settings_.GetProfileInt(keys::kSettings, keys::kLine, keys::kLineDefault);
    lastEdge_.reset();

    SerialDevice* device = device_ ? device_() : nullptr;
    if (!device)
        return false;
    std::string kernel = device->ArmKernelPps();
    const bool lineWatched = line >= 0 && device->SetEventMask(static_cast<uint32_t>(line));
    app_.SetKernelPpsSource(kernel);
    if (kernel.empty() && !lineWatched)
        return false;

    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!WaitForNextGpsSecond())
            return false;
        const auto edge = EdgeForPolarity(polarity);
        if (!edge)
            continue;
        if (!kernel.empty()) {
            const EdgeWait result = waitKernelEdge(*device, *edge);
            if (result == EdgeWait::Edge)
                return true;
            if (result == EdgeWait::Abort)
                return false;
            // A source that stays quiet (the pulse is wired elsewhere) or has gone: the line's
            // own wait from the next try on.
            kernel.clear();
            app_.SetKernelPpsSource(kernel);
            if (!lineWatched)
                return false;
            continue;
        }
        const EdgeWait result = waitTwoEdges(*device);
        if (result == EdgeWait::Abort)
            return false;
        if (result == EdgeWait::Edge && levelMatches(*device, line, polarity))
            return true;
    }
    return false;
}

} // namespace velarin
