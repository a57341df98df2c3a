#include "support/RecordingNotifier.h"

#include "engine/irig/WaveOutStream.h"
#include "platform/sim/SimulatedAudioDevice.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace velarin {
namespace {

using Texts = std::vector<std::string>;

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

TEST(WaveOutStream, OpenPreparesBothBuffersAndLeavesBufferOneCurrent)
{
    StreamRig rig;
    rig.stream.SetSampleRate(16150);
    ASSERT_EQ(rig.stream.Open(), 0);
    const auto format = rig.device.Format();
    EXPECT_EQ(std::tie(format.sampleRate, format.channels, format.bitsPerSample),
        std::tuple(16150u, 1, 16));
    EXPECT_EQ(rig.stream.CurrentBuffer(), 1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(rig.stream.Header(i).bufferLength, 32000u);
        EXPECT_TRUE(rig.stream.Header(i).flags & kAudioBufferPrepared);
    }
    EXPECT_TRUE(rig.device.Writes().empty());
    EXPECT_EQ(rig.stream.NextBuffer(), rig.stream.Buffer(0));
    EXPECT_TRUE(rig.notifier.Texts().empty());
}

TEST(WaveOutStream, EachFailingStepShowsItsMessage)
{
    {
        StreamRig rig;
        rig.device.SetDeviceCount(0);
        EXPECT_EQ(rig.stream.Open(), -1);
        EXPECT_EQ(rig.notifier.Texts(), Texts { "No Sound Output Device" });
        EXPECT_FALSE(rig.device.IsOpen());
    }
    {
        // Capabilities are only informative: the open goes on.
        StreamRig rig;
        rig.device.SetCapabilitiesError(EIO);
        EXPECT_EQ(rig.stream.Open(), 0);
        EXPECT_EQ(
            rig.notifier.Texts(), Texts { "Sound output Cannot determine card capabilities !" });
    }
    {
        StreamRig rig;
        rig.device.SetOpenError(ENODEV);
        EXPECT_EQ(rig.stream.Open(), ENODEV);
        EXPECT_EQ(rig.notifier.Texts(), Texts { "Sound output Cannot Open Device!" });
    }
    const Texts prepareFailed { " Sound Output Cannot Prepare Header !" };
    for (int prepares : { 0, 1 }) {
        StreamRig rig;
        rig.device.SetPrepareError(ENOMEM, prepares);
        EXPECT_EQ(rig.stream.Open(), ENOMEM);
        EXPECT_EQ(rig.notifier.Texts(), prepareFailed);
    }
    StreamRig<SilentlyUnpreparedDevice> unprepared;
    EXPECT_NE(unprepared.stream.Open(), 0);
    EXPECT_EQ(unprepared.notifier.Texts(), prepareFailed);
}

TEST(WaveOutStream, BufferStillPlayingLosesItsFrame)
{
    StreamRig rig;
    rig.stream.SetSampleRate(16000);
    ASSERT_EQ(rig.stream.Open(), 0);
    ASSERT_EQ(rig.stream.Queue(), 0);
    EXPECT_EQ(rig.stream.CurrentBuffer(), 0);
    // The second queues behind the first; the third finds buffer 0 still playing.
    ASSERT_EQ(rig.stream.Queue(), 0);
    EXPECT_EQ(rig.stream.CurrentBuffer(), 1);
    ASSERT_EQ(rig.device.Writes().size(), 2u);
    EXPECT_EQ(rig.device.Writes()[1].startPosition, 16000u);
    EXPECT_EQ(rig.stream.Queue(), EBUSY);
    EXPECT_EQ(rig.stream.CurrentBuffer(), 0);
    EXPECT_EQ(rig.device.Writes().size(), 2u);
    // Once buffer 1 has played out too, both are free again.
    rig.now += 2'000'000;
    EXPECT_EQ(rig.stream.Queue(), 0);
    EXPECT_EQ(rig.stream.CurrentBuffer(), 1);
    EXPECT_EQ(rig.device.Writes().back().startPosition, 32000u);
}

TEST(WaveOutStream, StopClosesOnceAndNeverTouchesAClosedDevice)
{
    StreamRig rig;
    rig.stream.Stop();
    EXPECT_EQ(rig.device.PauseCount(), 0);
    ASSERT_EQ(rig.stream.Open(), 0);
    ASSERT_EQ(rig.stream.Queue(), 0);
    rig.stream.Stop();
    rig.stream.Stop();
    EXPECT_EQ(std::tuple(rig.device.PauseCount(), rig.device.ResetCount(), rig.device.CloseCount()),
        std::tuple(1, 1, 1));
    EXPECT_FALSE(rig.stream.IsOpen());
    EXPECT_NE(rig.stream.Queue(), 0);
}

} // namespace
} // namespace velarin
