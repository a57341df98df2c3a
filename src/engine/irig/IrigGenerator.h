#pragma once

#include "engine/irig/WaveOutStream.h"
#include "platform/SystemClock.h"

#include <array>
#include <cstdint>
#include <optional>

namespace velarin {

// Composes one IRIG-B frame per PC second (100 bit slots of 10 carrier cycles, 16000 samples,
// amplitude-modulated 3:1) and queues it on the sound output. The waveform is built from two
// precomputed carrier cycles; a new second rewrites only the data slots before one copy into the
// free buffer. Driven by Tick every 50 ms from the user-interface thread.
class CIrigGenerator {
public:
    static constexpr int kCycleSamples = 16;
    static constexpr int kSlotSamples = 160;
    static constexpr int kSlots = 100;
    static constexpr int kFrameSamples = kSlots * kSlotSamples;
    // Frames queued ahead must end at least this long before their second does.
    static constexpr uint32_t kQueueAheadMinimumGapMs = 5;
    using Cycle = std::array<int16_t, kCycleSamples>;
    using Shape = std::array<int16_t, kSlotSamples>;
    using Frame = std::array<int16_t, kFrameSamples>;

    // 2, 5 and 8 high cycles followed by low ones.
    static const Shape& ZeroShape();
    static const Shape& OneShape();
    static const Shape& MarkerShape();

    // 2 x (8000 + 5 x compression): the rate at which a 16000-sample frame fits in a second.
    static constexpr uint32_t SampleRateForCompression(int compression)
    {
        return static_cast<uint32_t>(2 * (8000 + 5 * compression));
    }
    // Day of the year by the cumulative month table (every fourth year a leap year).
    static int DayOfYear(int year, int month, int day);

    CIrigGenerator(SystemClock& clock, AudioDevice& device, UserNotifier& notifier);

    void SetSampleRate(uint32_t rate) { stream_.SetSampleRate(rate); }
    // Stops any output, rebuilds the template and opens the sound output. False when the
    // output could not be opened (the user has been told why).
    bool Start();
    void Stop();
    void SetTwelveHourMode(int on) { twelveHourMode_ = on != 0 ? 1 : 0; }
    void SetUtcMode(int on) { utcMode_ = on != 0 ? 1 : 0; }
    // When the frames are shorter than a second by kQueueAheadMinimumGapMs or more (compression
    // 9 and above), compose each second's frame during the second before it and put silence
    // ahead of it so that its reference marker starts on the second itself; otherwise a frame is
    // queued as soon as its second has begun.
    void SetQueueAhead(bool on) { queueAhead_ = on; }
    // Composes and queues a frame when the PC clock's second has changed.
    void Tick();

    bool IsRunning() const { return running_ != 0; }
    int TwelveHourMode() const { return twelveHourMode_; }
    int UtcMode() const { return utcMode_; }
    bool QueueAhead() const { return queueAhead_; }

    // Writes the time fields of this time into the template.
    void ComposeFrame(const SystemTime& time);
    const Frame& Template() const { return template_; }
    CWaveOutStream& Stream() { return stream_; }

    struct Statistics {
        uint64_t framesQueued = 0;
        uint64_t framesLost = 0; // refused by the device
        int lastQueueResult = 0;
        int64_t lastLeadFrames = 0; // silence put ahead of the last frame
        int64_t lastPendingFrames = 0; // device delay just after the last frame was queued
        SystemTime lastFrameTime; // the time the last queued frame carries
    };
    const Statistics& Stats() const { return stats_; }

private:
    void buildTemplate();
    void setSlot(int slot, const Shape& shape);
    void setBits(int firstSlot, uint32_t value, int count);
    void queueFrame(std::optional<uint32_t> framesUntilStart);

    CWaveOutStream stream_;
    SystemClock& clock_;
    int twelveHourMode_ = 0;
    int utcMode_ = 0;
    int running_ = 0;
    uint32_t lastSecond_ = UINT32_MAX;
    bool queueAhead_ = true;
    Frame template_ {};
    SystemTime composedTime_;
    Statistics stats_;
};

} // namespace velarin
