#include "support/RecordingNotifier.h"

#include "engine/irig/WaveOutStream.h"
#include "platform/sim/SimulatedAudioDevice.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace velarin {
namespace {

struct StreamRig {
    int64_t now = 1'000'000'000;
    SimulatedAudioDevice device { [this] { return now; } };
    test::RecordingNotifier notifier;
    CWaveOutStream stream { device, notifier };
};

TEST(WaveOutStream, OpenPreparesBothBuffersAndLeavesBufferOneCurrent)
{
    StreamRig rig;
    rig.stream.SetSampleRate(16150);
    ASSERT_EQ(rig.stream.Open(), 0);
    EXPECT_EQ(rig.device.Format().sampleRate, 16150u);
    EXPECT_EQ(rig.device.Format().channels, 1);
    EXPECT_EQ(rig.device.Format().bitsPerSample, 16);
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
        EXPECT_EQ(rig.notifier.Texts(), std::vector<std::string> { "No Sound Output Device" });
        EXPECT_FALSE(rig.device.IsOpen());
    }
    {
        // Capabilities are only informative: the open goes on.
        StreamRig rig;
        rig.device.SetCapabilitiesError(EIO);
        EXPECT_EQ(rig.stream.Open(), 0);
        EXPECT_EQ(rig.notifier.Texts(),
            std::vector<std::string> { "Sound output Cannot determine card capabilities !" });
    }
    {
        StreamRig rig;
        rig.device.SetOpenError(ENODEV);
        EXPECT_EQ(rig.stream.Open(), ENODEV);
        EXPECT_EQ(
            rig.notifier.Texts(), std::vector<std::string> { "Sound output Cannot Open Device!" });
    }
    for (int prepares : { 0, 1 }) {
        StreamRig rig;
        rig.device.SetPrepareError(ENOMEM, prepares);
        EXPECT_EQ(rig.stream.Open(), ENOMEM);
        EXPECT_EQ(rig.notifier.Texts(),
            std::vector<std::string> { " Sound Output Cannot Prepare Header !" });
    }
}

// A device that reports success but leaves the header unprepared.
class SilentlyUnpreparedDevice : public SimulatedAudioDevice {
public:
    using SimulatedAudioDevice::SimulatedAudioDevice;
    int PrepareHeader(AudioBufferHeader&) override { return 0; }
};

TEST(WaveOutStream, HeaderLeftUnpreparedFailsTheOpen)
{
    int64_t now = 0;
    SilentlyUnpreparedDevice device([&] { return now; });
    test::RecordingNotifier notifier;
    CWaveOutStream stream(device, notifier);
    EXPECT_NE(stream.Open(), 0);
    EXPECT_EQ(
        notifier.Texts(), std::vector<std::string> { " Sound Output Cannot Prepare Header !" });
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
    EXPECT_EQ(rig.device.PauseCount(), 1);
    EXPECT_EQ(rig.device.ResetCount(), 1);
    EXPECT_EQ(rig.device.CloseCount(), 1);
    EXPECT_FALSE(rig.stream.IsOpen());
    rig.stream.Stop();
    EXPECT_EQ(rig.device.CloseCount(), 1);
    EXPECT_NE(rig.stream.Queue(), 0);
}

} // namespace
} // namespace velarin
