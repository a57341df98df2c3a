#pragma once

#include <cstdint>
#include <string>

namespace velarin {

// PCM format of an output stream: signed 16-bit little-endian samples, interleaved.
struct AudioFormat {
    uint32_t sampleRate = 16000;
    uint16_t channels = 1;
    uint16_t bitsPerSample = 16;
};

// What an output device says about itself when asked before opening it.
struct AudioCapabilities {
    std::string name;
    uint32_t minSampleRate = 0;
    uint32_t maxSampleRate = 0;
    uint16_t maxChannels = 0;
};

// Buffer header flags.
inline constexpr uint32_t kAudioBufferDone = 0x01;
inline constexpr uint32_t kAudioBufferPrepared = 0x02;
inline constexpr uint32_t kAudioBufferInQueue = 0x10;

// One caller-owned buffer handed to the device. The caller fills data, bufferLength (bytes),
// loops and flags (0) and prepares it before writing it; the device keeps the flags and its own
// end position up to date. A buffer is "still playing" from its write until its last sample has
// been heard, and may not be unprepared or refilled meanwhile.
struct AudioBufferHeader {
    const int16_t* data = nullptr;
    uint32_t bufferLength = 0;
    uint32_t bytesRecorded = 0;
    uintptr_t user = 0;
    uint32_t flags = 0;
    uint32_t loops = 0;
    // Device's own: stream position (frames) just after this buffer's last sample.
    uint64_t endPosition = 0;
};

// One sound output device that plays 16-bit PCM at an arbitrary integer rate from buffers that
// are queued one after the other; between queued buffers it plays silence. Every operation
// returns 0 on success or a positive errno value; EBUSY means "still playing". Used on one thread.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // How many usable output devices the system offers (0: none, so opening cannot work).
    virtual int OutputDeviceCount() = 0;
    virtual int GetCapabilities(AudioCapabilities& capabilities) = 0;

    virtual int Open(const AudioFormat& format) = 0;
    virtual bool IsOpen() const = 0;

    virtual int PrepareHeader(AudioBufferHeader& header) = 0;
    // EBUSY while the buffer is still playing; the header then stays prepared and queued.
    virtual int UnprepareHeader(AudioBufferHeader& header) = 0;
    // Queues a prepared buffer behind those already queued. Never blocks.
    virtual int Write(AudioBufferHeader& header) = 0;
    // Queues this many frames of silence behind those already queued (to start the next buffer
    // at a chosen moment). Never blocks.
    virtual int WriteSilence(uint32_t frames) = 0;

    // Frames written but not yet heard (0 when idle or closed).
    virtual int64_t PendingFrames() = 0;

    virtual int Pause() = 0;
    // Drops everything queued; every buffer counts as done afterwards.
    virtual int Reset() = 0;
    virtual int Close() = 0;
};

} // namespace velarin
