#pragma once

#include "platform/AudioDevice.h"
#include "platform/UserNotifier.h"

#include <array>
#include <cstdint>
#include <optional>

namespace velarin {

// Plays the IRIG frames on the sound output from two alternating buffers: the frame composer
// fills the buffer that was not queued last, Queue hands it to the device, and a buffer that is
// still playing is never touched (that second's frame is lost instead).
class CWaveOutStream {
public:
    static constexpr uint32_t kBufferSamples = 32000;
    static constexpr uint32_t kDefaultSampleRate = 16200;
    static constexpr uint32_t kDefaultFrameLength = 16000;

    static constexpr const char* kNoDeviceMessage = "No Sound Output Device";
    static constexpr const char* kNoCapabilitiesMessage
        = "Sound output Cannot determine card capabilities !";
    static constexpr const char* kCannotOpenMessage = "Sound output Cannot Open Device!";
    static constexpr const char* kCannotPrepareMessage = " Sound Output Cannot Prepare Header !";

    CWaveOutStream(AudioDevice& device, UserNotifier& notifier);
    CWaveOutStream(const CWaveOutStream&) = delete;
    CWaveOutStream& operator=(const CWaveOutStream&) = delete;
    ~CWaveOutStream();

    // 0 on success, -1 when there is no output device, else the device's error (the user has
    // been told which step failed).
    int Open();
    // Queues the buffer after the current one: 0, or the device's error (that frame is lost).
    int Queue();
    // The same, with silence ahead of the buffer so that its first sample is heard
    // framesUntilStart frames from now (or as soon as possible when that is too soon). Returns
    // the silence used in leadFrames.
    int QueueAt(uint32_t framesUntilStart, int64_t& leadFrames);
    // Pauses, waits 100 ms, drops whatever is queued and closes the device.
    void Stop();

    void SetSampleRate(uint32_t rate) { sampleRate_ = rate; }
    uint32_t SampleRate() const { return sampleRate_; }
    uint32_t FrameLength() const { return frameLength_; }
    // The buffer that the next Queue plays: the one that is not current.
    int16_t* NextBuffer() { return buffers_[current_ ^ 1].data(); }
    const int16_t* Buffer(int index) const { return buffers_[index & 1].data(); }
    int16_t* MutableBuffer(int index) { return buffers_[index & 1].data(); }
    int CurrentBuffer() const { return current_; }
    const AudioBufferHeader& Header(int index) const { return headers_[index & 1]; }
    bool IsOpen() const { return device_.IsOpen(); }
    AudioDevice& Device() { return device_; }

private:
    int prepareBuffer(int index);
    int queue(std::optional<uint32_t> framesUntilStart, int64_t& leadFrames);

    std::array<std::array<int16_t, kBufferSamples>, 2> buffers_ {};
    AudioCapabilities capabilities_;
    AudioDevice& device_;
    UserNotifier& notifier_;
    std::array<AudioBufferHeader, 2> headers_ {};
    AudioFormat format_;
    uint32_t sampleRate_ = kDefaultSampleRate;
    uint32_t frameLength_ = kDefaultFrameLength;
    int current_ = 0;
};

} // namespace velarin
