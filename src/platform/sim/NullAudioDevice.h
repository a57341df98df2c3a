#pragma once

#include "platform/StreamAudioDevice.h"

namespace velarin {

// An output that takes every buffer and plays it at once into nothing: for running the IRIG
// output where no sound is wanted or possible.
class NullAudioDevice : public StreamAudioDevice {
public:
    int OutputDeviceCount() override { return 1; }
    int GetCapabilities(AudioCapabilities& capabilities) override;
    int Open(const AudioFormat& format) override;
    bool IsOpen() const override { return open_; }
    int64_t PendingFrames() override { return 0; }
    int Pause() override;
    int Reset() override;
    int Close() override;

protected:
    int WriteSamples(const int16_t* samples, uint32_t count, uint64_t& endPosition) override;
    uint64_t PlayedPosition() override { return written_; }

private:
    bool open_ = false;
    uint64_t written_ = 0;
};

} // namespace velarin
