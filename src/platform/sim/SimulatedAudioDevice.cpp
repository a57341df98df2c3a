#include "platform/sim/SimulatedAudioDevice.h"

#include <algorithm>
#include <cerrno>

namespace velarin {

SimulatedAudioDevice::SimulatedAudioDevice(
    std::function<int64_t()> microseconds, uint32_t latencyFrames)
    : microseconds_(std::move(microseconds))
    , latencyFrames_(latencyFrames)
{
}

SimulatedAudioDevice::~SimulatedAudioDevice() = default;

int SimulatedAudioDevice::OutputDeviceCount()
{
    return deviceCount_;
}

int SimulatedAudioDevice::GetCapabilities(AudioCapabilities& capabilities)
{
    if (capabilitiesError_ != 0)
        return capabilitiesError_;
    capabilities.name = "Simulated output";
    capabilities.minSampleRate = 4000;
    capabilities.maxSampleRate = 192000;
    capabilities.maxChannels = 2;
    return 0;
}

int SimulatedAudioDevice::Open(const AudioFormat& format)
{
    if (open_)
        return EBUSY;
    if (openError_ != 0)
        return openError_;
    if (format.sampleRate == 0 || format.channels != 1 || format.bitsPerSample != 16)
        return EINVAL;
    format_ = format;
    open_ = true;
    paused_ = false;
    openedAt_ = microseconds_();
    queueEnd_ = 0;
    resetFloor_ = 0;
    writes_.clear();
    return 0;
}

bool SimulatedAudioDevice::IsOpen() const
{
    return open_;
}

void SimulatedAudioDevice::SetPrepareError(int error, int afterPrepares)
{
    prepareError_ = error;
    preparesBeforeError_ = afterPrepares;
}

int SimulatedAudioDevice::PrepareHeader(AudioBufferHeader& header)
{
    if (prepareError_ != 0) {
        if (preparesBeforeError_ == 0)
            return prepareError_;
        --preparesBeforeError_;
    }
    return StreamAudioDevice::PrepareHeader(header);
}

uint64_t SimulatedAudioDevice::positionNow() const
{
    if (!open_)
        return 0;
    if (paused_)
        return pausedPosition_;
    const int64_t elapsed = microseconds_() - openedAt_;
    if (elapsed <= 0)
        return 0;
    // Whole frames heard so far; exact for whole seconds at any integer rate.
    return static_cast<uint64_t>(elapsed) * format_.sampleRate / 1000000;
}

uint64_t SimulatedAudioDevice::PlayedPosition()
{
    return std::max(positionNow(), resetFloor_);
}

int64_t SimulatedAudioDevice::PendingFrames()
{
    const uint64_t played = PlayedPosition();
    return queueEnd_ > played ? static_cast<int64_t>(queueEnd_ - played) : 0;
}

int SimulatedAudioDevice::WriteSamples(
    const int16_t* samples, uint32_t count, uint64_t& endPosition)
{
    if (paused_)
        return EBUSY;
    const uint64_t start = std::max(queueEnd_, PlayedPosition() + latencyFrames_);
    if (start > queueEnd_)
        Emit(nullptr, static_cast<uint32_t>(start - queueEnd_));
    Emit(samples, count);
    queueEnd_ = start + count;
    endPosition = queueEnd_;
    writes_.push_back({ start, count, microseconds_() });
    return 0;
}

void SimulatedAudioDevice::Emit(const int16_t*, uint32_t) { }

int SimulatedAudioDevice::Pause()
{
    if (!open_)
        return EBADF;
    if (!paused_) {
        pausedPosition_ = positionNow();
        paused_ = true;
    }
    ++pauses_;
    return 0;
}

int SimulatedAudioDevice::Reset()
{
    if (!open_)
        return EBADF;
    resetFloor_ = std::max(resetFloor_, queueEnd_);
    ++resets_;
    return 0;
}

int SimulatedAudioDevice::Close()
{
    if (!open_)
        return EBADF;
    // The card has played silence since the last buffer ended.
    const uint64_t now = positionNow();
    if (now > queueEnd_) {
        Emit(nullptr, static_cast<uint32_t>(now - queueEnd_));
        queueEnd_ = now;
    }
    const int result = Finish();
    open_ = false;
    ++closes_;
    return result;
}

} // namespace velarin
