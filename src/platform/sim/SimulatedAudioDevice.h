#pragma once

#include "platform/StreamAudioDevice.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace velarin {

// A sound card that plays in the time of a time source (the real clock, or a fake one a test
// moves by hand): the stream position advances at the sample rate from the open, a queued
// buffer starts when the one before it has ended (but never sooner than the output latency after
// its write), and the card plays silence whenever nothing is queued. Tests can make each step
// fail as a real device would.
class SimulatedAudioDevice : public StreamAudioDevice {
public:
    struct WriteRecord {
        uint64_t startPosition = 0; // stream position of the buffer's first sample
        uint32_t frames = 0;
        int64_t writtenAtMicroseconds = 0;
    };

    explicit SimulatedAudioDevice(
        std::function<int64_t()> microseconds, uint32_t latencyFrames = 0);
    ~SimulatedAudioDevice() override;

    int OutputDeviceCount() override;
    int GetCapabilities(AudioCapabilities& capabilities) override;
    int Open(const AudioFormat& format) override;
    bool IsOpen() const override;
    int64_t PendingFrames() override;
    int Pause() override;
    int Reset() override;
    int Close() override;

    void SetDeviceCount(int count) { deviceCount_ = count; }
    void SetCapabilitiesError(int error) { capabilitiesError_ = error; }
    void SetOpenError(int error) { openError_ = error; }
    // Makes preparation fail with this error (0: works); the n-th prepare from now on only.
    void SetPrepareError(int error, int afterPrepares = 0);

    const AudioFormat& Format() const { return format_; }
    const std::vector<WriteRecord>& Writes() const { return writes_; }
    int64_t OpenedAtMicroseconds() const { return openedAt_; }
    int PauseCount() const { return pauses_; }
    int ResetCount() const { return resets_; }
    int CloseCount() const { return closes_; }

protected:
    int WriteSamples(const int16_t* samples, uint32_t count, uint64_t& endPosition) override;
    uint64_t PlayedPosition() override;
    // The played stream in order; samples is nullptr for a stretch of silence.
    virtual void Emit(const int16_t* samples, uint32_t count);
    // Called by Close after the stream has been played out up to the current position.
    virtual int Finish() { return 0; }

    int PrepareHeader(AudioBufferHeader& header) override;

private:
    uint64_t positionNow() const;

    std::function<int64_t()> microseconds_;
    uint32_t latencyFrames_;
    AudioFormat format_;
    bool open_ = false;
    bool paused_ = false;
    int64_t openedAt_ = 0;
    uint64_t pausedPosition_ = 0;
    uint64_t queueEnd_ = 0; // stream position after the last sample queued
    uint64_t resetFloor_ = 0;
    std::vector<WriteRecord> writes_;
    int deviceCount_ = 1;
    int capabilitiesError_ = 0;
    int openError_ = 0;
    int prepareError_ = 0;
    int preparesBeforeError_ = 0;
    int pauses_ = 0;
    int resets_ = 0;
    int closes_ = 0;
};

} // namespace velarin
