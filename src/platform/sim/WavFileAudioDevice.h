#pragma once

#include "platform/sim/SimulatedAudioDevice.h"

#include <cstdio>
#include <string>

namespace velarin {

// A sound card that "plays" into a 16-bit PCM WAV file in the time of a time source: each
// queued buffer lands at the stream position where a real card would play it, with the silence
// the card would play in between, up to the position at the close.
class WavFileAudioDevice : public SimulatedAudioDevice {
public:
    WavFileAudioDevice(std::string path, std::function<int64_t()> microseconds);
    ~WavFileAudioDevice() override;

    int Open(const AudioFormat& format) override;

protected:
    void Emit(const int16_t* samples, uint32_t count) override;
    int Finish() override;

private:
    bool writeHeader(uint32_t dataBytes);

    std::string path_;
    std::FILE* file_ = nullptr;
    uint64_t dataBytes_ = 0;
    bool writeFailed_ = false;
};

} // namespace velarin
