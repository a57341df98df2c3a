#include "platform/StreamAudioDevice.h"

#include <algorithm>
#include <array>
#include <cerrno>

namespace velarin {

bool StreamAudioDevice::IsStillPlaying(const AudioBufferHeader& header)
{
    if ((header.flags & kAudioBufferInQueue) == 0)
        return false;
    if (IsOpen() && header.endPosition > PlayedPosition())
        return true;
    return false;
}

int StreamAudioDevice::PrepareHeader(AudioBufferHeader& header)
{
    if (header.data == nullptr || header.bufferLength == 0 || header.bufferLength % 2 != 0)
        return EINVAL;
    if (IsStillPlaying(header))
        return EBUSY;
    header.flags
        = (header.flags & ~(kAudioBufferInQueue | kAudioBufferDone)) | kAudioBufferPrepared;
    return 0;
}

int StreamAudioDevice::UnprepareHeader(AudioBufferHeader& header)
{
    if (IsStillPlaying(header))
        return EBUSY;
    header.flags &= ~(kAudioBufferPrepared | kAudioBufferInQueue);
    header.flags |= kAudioBufferDone;
    return 0;
}

int StreamAudioDevice::Write(AudioBufferHeader& header)
{
    if (!IsOpen())
        return EBADF;
    if ((header.flags & kAudioBufferPrepared) == 0 || header.data == nullptr)
        return EINVAL;
    if (IsStillPlaying(header))
        return EBUSY;
    uint64_t end = 0;
    const int result = WriteSamples(header.data, header.bufferLength / 2, end);
    if (result != 0)
        return result;
    header.endPosition = end;
    header.flags = (header.flags & ~kAudioBufferDone) | kAudioBufferInQueue;
    return 0;
}

int StreamAudioDevice::WriteSilence(uint32_t frames)
{
    if (!IsOpen())
        return EBADF;
    static constexpr std::array<int16_t, 1024> silence {};
    while (frames > 0) {
        const uint32_t count = std::min<uint32_t>(frames, silence.size());
        uint64_t end = 0;
        const int result = WriteSamples(silence.data(), count, end);
        if (result != 0)
            return result;
        frames -= count;
    }
    return 0;
}

} // namespace velarin
