#include "platform/sim/NullAudioDevice.h"

#include <cerrno>

namespace velarin {

int NullAudioDevice::GetCapabilities(AudioCapabilities& capabilities)
{
    capabilities.name = "Null output";
    capabilities.minSampleRate = 1;
    capabilities.maxSampleRate = 4000000;
    capabilities.maxChannels = 8;
    return 0;
}

int NullAudioDevice::Open(const AudioFormat& format)
{
    if (open_)
        return EBUSY;
    if (format.sampleRate == 0 || format.bitsPerSample != 16 || format.channels == 0)
        return EINVAL;
    open_ = true;
    written_ = 0;
    return 0;
}

int NullAudioDevice::WriteSamples(const int16_t*, uint32_t count, uint64_t& endPosition)
{
    written_ += count;
    endPosition = written_;
    return 0;
}

int NullAudioDevice::Pause()
{
    return open_ ? 0 : EBADF;
}

int NullAudioDevice::Reset()
{
    return open_ ? 0 : EBADF;
}

int NullAudioDevice::Close()
{
    if (!open_)
        return EBADF;
    open_ = false;
    return 0;
}

} // namespace velarin
