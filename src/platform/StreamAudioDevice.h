#pragma once

#include "platform/AudioDevice.h"

namespace velarin {

// The buffer bookkeeping that every output device shares: header flags, and "still playing"
// judged from each buffer's end position against the device's played position. A concrete
// device supplies the stream itself.
class StreamAudioDevice : public AudioDevice {
public:
    int PrepareHeader(AudioBufferHeader& header) override;
    int UnprepareHeader(AudioBufferHeader& header) override;
    int Write(AudioBufferHeader& header) override;
    int WriteSilence(uint32_t frames) override;

protected:
    // Appends samples to the stream; on success sets endPosition to the stream position just
    // after the last of them.
    virtual int WriteSamples(const int16_t* samples, uint32_t count, uint64_t& endPosition) = 0;
    // Stream position of the last sample heard (everything before it has been played).
    virtual uint64_t PlayedPosition() = 0;

    bool IsStillPlaying(const AudioBufferHeader& header);
};

} // namespace velarin
