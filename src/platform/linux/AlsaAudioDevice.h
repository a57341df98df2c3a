#pragma once

#include "platform/StreamAudioDevice.h"

#include <string>

typedef struct _snd_pcm snd_pcm_t;

namespace velarin {

// The sound card through ALSA: one playback PCM, opened by name ("default" unless the
// environment variable VELARIN_ALSA_DEVICE names another, such as "hw:1,0" or "plughw:0"),
// 16-bit mono at the exact rate asked for (ALSA resamples when the card cannot), never blocking.
// Playback starts with the first sample written; when the queue runs dry the card stops and the
// next write starts it again, so the output is silent between buffers.
class AlsaAudioDevice : public StreamAudioDevice {
public:
    explicit AlsaAudioDevice(std::string deviceName = DeviceNameFromEnvironment());
    ~AlsaAudioDevice() override;

    static std::string DeviceNameFromEnvironment();
    const std::string& DeviceName() const { return deviceName_; }

    int OutputDeviceCount() override;
    int GetCapabilities(AudioCapabilities& capabilities) override;
    int Open(const AudioFormat& format) override;
    bool IsOpen() const override { return pcm_ != nullptr; }
    int64_t PendingFrames() override;
    int Pause() override;
    int Reset() override;
    int Close() override;

    // Frames in the card's ring buffer and its period, as negotiated at the open.
    unsigned long BufferFrames() const { return bufferFrames_; }
    unsigned long PeriodFrames() const { return periodFrames_; }

protected:
    int WriteSamples(const int16_t* samples, uint32_t count, uint64_t& endPosition) override;
    uint64_t PlayedPosition() override;

private:
    int configure(const AudioFormat& format);

    std::string deviceName_;
    snd_pcm_t* pcm_ = nullptr;
    uint64_t written_ = 0;
    unsigned long bufferFrames_ = 0;
    unsigned long periodFrames_ = 0;
};

} // namespace velarin
