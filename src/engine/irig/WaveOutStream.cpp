#include "engine/irig/WaveOutStream.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

namespace velarin {

CWaveOutStream::CWaveOutStream(AudioDevice& device, UserNotifier& notifier)
    : device_(device)
    , notifier_(notifier)
{
}

CWaveOutStream::~CWaveOutStream()
{
    Stop();
}

int CWaveOutStream::prepareBuffer(int index)
{
    current_ = index;
    AudioBufferHeader& header = headers_[index];
    header = AudioBufferHeader {};
    header.data = buffers_[index].data();
    header.bufferLength = frameLength_ * 2;
    const int result = device_.PrepareHeader(header);
    if (result != 0 || (header.flags & kAudioBufferPrepared) == 0) {
        notifier_.ShowMessage(kCannotPrepareMessage, "", MessageIcon::None);
        // A header left unprepared without an error code must still fail the open.
        return result != 0 ? result : EINVAL;
    }
    return 0;
}

int CWaveOutStream::Open()
{
    if (device_.OutputDeviceCount() <= 0) {
        notifier_.ShowMessage(kNoDeviceMessage, "", MessageIcon::None);
        return -1;
    }
    if (device_.GetCapabilities(capabilities_) != 0)
        notifier_.ShowMessage(kNoCapabilitiesMessage, "", MessageIcon::None);

    format_ = AudioFormat {};
    format_.sampleRate = sampleRate_;
    format_.channels = 1;
    format_.bitsPerSample = 16;
    const int opened = device_.Open(format_);
    if (opened != 0) {
        notifier_.ShowMessage(kCannotOpenMessage, "", MessageIcon::None);
        return opened;
    }
    for (int index = 0; index < 2; ++index) {
        const int prepared = prepareBuffer(index);
        if (prepared != 0)
            return prepared;
    }
    // Nothing is queued yet; buffer 1 is current, so the first Queue plays buffer 0.
    return 0;
}

int CWaveOutStream::Queue()
{
    int64_t lead = 0;
    return queue(std::nullopt, lead);
}

int CWaveOutStream::QueueAt(uint32_t framesUntilStart, int64_t& leadFrames)
{
    return queue(framesUntilStart, leadFrames);
}

int CWaveOutStream::queue(std::optional<uint32_t> framesUntilStart, int64_t& leadFrames)
{
    leadFrames = 0;
    current_ ^= 1;
    AudioBufferHeader& header = headers_[current_];
    const int unprepared = device_.UnprepareHeader(header);
    if (unprepared != 0)
        return unprepared;
    header.data = buffers_[current_].data();
    header.bufferLength = frameLength_ * 2;
    header.loops = 0;
    header.flags = 0;
    device_.PrepareHeader(header);
    if (framesUntilStart) {
        int64_t pending = device_.PendingFrames();
        if (pending == 0) {
            // An idle card's output delay shows only once it plays: start it with a little
            // silence and read the delay again.
            const uint32_t prime = std::min(*framesUntilStart, sampleRate_ / 200);
            const int primed = device_.WriteSilence(prime);
            if (primed != 0)
                return primed;
            leadFrames = prime;
            pending = std::max<int64_t>(device_.PendingFrames(), prime);
        }
        const int64_t more = std::max<int64_t>(int64_t { *framesUntilStart } - pending, 0);
        const int silenced = more > 0 ? device_.WriteSilence(static_cast<uint32_t>(more)) : 0;
        if (silenced != 0)
            return silenced;
        leadFrames += more;
    }
    return device_.Write(header);
}

void CWaveOutStream::Stop()
{
    if (device_.IsOpen())
        device_.Pause();
    // Let the device settle before its queue is dropped.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (device_.IsOpen()) {
        device_.Reset();
        device_.Close();
    }
}

} // namespace velarin
