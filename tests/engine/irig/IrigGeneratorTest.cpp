#include "support/IrigDecoder.h"
#include "support/RecordingNotifier.h"

#include "base/Calendar.h"
#include "engine/irig/IrigGenerator.h"
#include "engine/irig/WaveOutStream.h"
#include "platform/sim/SimulatedAudioDevice.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <functional>

namespace velarin {
namespace {

using test::IrigFrame;

int64_t microsecondsOf(int year, int month, int day, int hour, int minute, int second, int ms = 0)
{
    return *ToUnixMilliseconds(SystemTime { uint16_t(year), uint16_t(month), 0, uint16_t(day),
               uint16_t(hour), uint16_t(minute), uint16_t(second), uint16_t(ms) })
        * 1000;
}

struct IrigRig {
    int64_t now = 0;
    SimulatedSystemClock clock { [this] { return now; } };
    SimulatedAudioDevice device { [this] { return now; } };
    test::RecordingNotifier notifier;
    CIrigGenerator generator { clock, device, notifier };

    IrigRig(int compression = 15)
    {
        generator.SetSampleRate(CIrigGenerator::SampleRateForCompression(compression));
        generator.SetQueueAhead(false);
    }
    bool startAt(int64_t microseconds)
    {
        now = microseconds;
        return generator.Start();
    }
    // The frame that the last Tick queued, read back from the buffer handed to the device.
    IrigFrame lastFrame()
    {
        const int16_t* buffer = generator.Stream().Buffer(generator.Stream().CurrentBuffer());
        return test::DecodeIrigFrame(std::vector<int16_t>(buffer, buffer + 16000), 0);
    }
    IrigFrame frameAt(int64_t microseconds)
    {
        now = microseconds;
        generator.Tick();
        return lastFrame();
    }
};

TEST(IrigGenerator, ComposesTheExampleTimesWithLeapYearsAndLocalOrUtc)
{
    IrigRig rig;
    rig.clock.SetLocalOffsetMinutes(-300);
    rig.generator.Tick();
    EXPECT_TRUE(rig.device.Writes().empty()) << "nothing before the start";
    ASSERT_TRUE(rig.startAt(microsecondsOf(2004, 3, 1, 17, 34, 55, 900)));
    IrigFrame frame = rig.frameAt(microsecondsOf(2004, 3, 1, 17, 34, 56, 20));
    ASSERT_TRUE(frame.valid) << frame.error;
    EXPECT_EQ(frame.Time(), std::tuple(12, 34, 56, 61, 45296));
    // Every fourth year is a leap year, centuries included.
    EXPECT_EQ(rig.frameAt(microsecondsOf(2003, 3, 2, 4, 59, 59)).Time(),
        std::tuple(23, 59, 59, 60, 86399));
    EXPECT_EQ(rig.frameAt(microsecondsOf(2004, 12, 31, 5, 0, 0)).dayOfYear, 366);
    EXPECT_EQ(rig.frameAt(microsecondsOf(2100, 3, 1, 5, 0, 2)).dayOfYear, 61);
    // Local time by default, the clock's UTC reading once asked; twelve-hour frames say 12 AM at
    // midnight.
    EXPECT_EQ(
        rig.frameAt(microsecondsOf(2020, 1, 1, 3, 0, 0)).Time(), std::tuple(22, 0, 0, 365, 79200));
    rig.generator.SetUtcMode(1);
    rig.generator.SetTwelveHourMode(1);
    EXPECT_EQ(
        rig.frameAt(microsecondsOf(2020, 1, 1, 3, 0, 1)).Time(), std::tuple(3, 0, 1, 1, 10801));
    const IrigFrame midnight = rig.frameAt(microsecondsOf(2020, 1, 1, 0, 0, 2));
    EXPECT_EQ(std::tuple(midnight.hours, midnight.letter), std::tuple(12, int { 'A' }));
}

using Texts = std::vector<std::string>;

TEST(IrigGenerator, QueueAheadStartsEachFrameOnItsSecondButNotForOneSecondFrames)
{
    for (int compression : { 10, 15, 30 }) {
        IrigRig rig(compression);
        rig.generator.SetQueueAhead(true);
        const uint32_t rate = CIrigGenerator::SampleRateForCompression(compression);
        const int64_t origin = microsecondsOf(2024, 2, 29, 23, 59, 57);
        ASSERT_TRUE(rig.startAt(origin));
        // Ticks every 50 ms at an awkward phase for five seconds; the first second, under way at
        // the start, has no frame, and each frame is queued in the second before its own.
        for (int64_t t = 37000; t < 5000000; t += 50000) {
            rig.now = origin + t;
            rig.generator.Tick();
        }
        ASSERT_EQ(rig.generator.Stats().framesLost, 0u);
        std::vector<uint64_t> frameStarts;
        for (const auto& write : rig.device.Writes())
            if (write.frames == 16000)
                frameStarts.push_back(write.startPosition);
        ASSERT_EQ(frameStarts.size(), 4u) << compression;
        // Ticks land 37 ms into each second. The clock's reading is taken as the middle of its
        // millisecond, so on this exact clock a frame starts half a millisecond early.
        for (size_t k = 0; k < frameStarts.size(); ++k) {
            const auto expected = static_cast<int64_t>((k + 2) * rate) - rate / 2000;
            EXPECT_LE(std::llabs(static_cast<int64_t>(frameStarts[k]) - expected), 1)
                << compression << " frame " << k;
        }
        EXPECT_EQ(rig.lastFrame().Time(), std::tuple(0, 0, 2, 61, 2));
    }

    IrigRig rig(0);
    rig.generator.SetQueueAhead(true);
    ASSERT_TRUE(rig.startAt(microsecondsOf(2023, 12, 31, 23, 59, 59, 990)));
    EXPECT_EQ(rig.frameAt(microsecondsOf(2024, 1, 1, 0, 0, 0, 30)).seconds, 0);
    EXPECT_EQ(rig.generator.Stats().lastLeadFrames, 0);
}

// A device that reports success but leaves the header unprepared.
class SilentlyUnpreparedDevice : public SimulatedAudioDevice {
public:
    using SimulatedAudioDevice::SimulatedAudioDevice;
    int PrepareHeader(AudioBufferHeader&) override { return 0; }
};

template <typename Device = SimulatedAudioDevice> struct StreamRig {
    int64_t now = 1'000'000'000;
    Device device { [this] { return now; } };
    test::RecordingNotifier notifier;
    CWaveOutStream stream { device, notifier };
};

TEST(WaveOutStream, EachFailingStepShowsItsMessage)
{
    const char* const prepareFailed = " Sound Output Cannot Prepare Header !";
    // Capabilities are only informative: the open goes on.
    const std::tuple<std::function<void(SimulatedAudioDevice&)>, int, const char*> steps[] = {
        { [](auto& d) { d.SetCapabilitiesError(EIO); }, 0,
            "Sound output Cannot determine card capabilities !" },
        { [](auto& d) { d.SetOpenError(ENODEV); }, ENODEV, "Sound output Cannot Open Device!" },
        { [](auto& d) { d.SetPrepareError(ENOMEM, 0); }, ENOMEM, prepareFailed },
        { [](auto& d) { d.SetPrepareError(ENOMEM, 1); }, ENOMEM, prepareFailed },
    };
    for (const auto& [spoil, result, text] : steps) {
        StreamRig rig;
        spoil(rig.device);
        EXPECT_EQ(rig.stream.Open(), result) << text;
        EXPECT_EQ(rig.notifier.Texts(), Texts { text });
    }
    StreamRig<SilentlyUnpreparedDevice> unprepared;
    EXPECT_NE(unprepared.stream.Open(), 0);
    EXPECT_EQ(unprepared.notifier.Texts(), Texts { prepareFailed });
}

TEST(WaveOutStream, BufferStillPlayingLosesItsFrameAndStopClosesOnce)
{
    StreamRig rig;
    rig.stream.Stop();
    EXPECT_EQ(rig.device.PauseCount(), 0) << "a closed device is never touched";
    rig.stream.SetSampleRate(16000);
    ASSERT_EQ(rig.stream.Open(), 0);
    ASSERT_EQ(rig.stream.Queue(), 0);
    // The second queues behind the first; the third finds buffer 0 still playing.
    ASSERT_EQ(rig.stream.Queue(), 0);
    EXPECT_EQ(rig.stream.CurrentBuffer(), 1);
    ASSERT_EQ(rig.device.Writes().size(), 2u);
    EXPECT_EQ(rig.stream.Queue(), EBUSY);
    EXPECT_EQ(rig.stream.CurrentBuffer(), 0);
    EXPECT_EQ(rig.device.Writes().size(), 2u);
    // Once buffer 1 has played out too, both are free again.
    rig.now += 2'000'000;
    EXPECT_EQ(rig.stream.Queue(), 0);
    EXPECT_EQ(rig.stream.CurrentBuffer(), 1);
    EXPECT_EQ(rig.device.Writes().back().startPosition, 32000u);
    rig.stream.Stop();
    rig.stream.Stop();
    EXPECT_EQ(std::tuple(rig.device.PauseCount(), rig.device.ResetCount(), rig.device.CloseCount()),
        std::tuple(1, 1, 1));
    EXPECT_NE(rig.stream.Queue(), 0);
}

} // namespace
} // namespace velarin
