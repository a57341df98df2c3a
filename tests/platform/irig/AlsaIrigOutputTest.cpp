#include "support/IrigDecoder.h"
#include "support/RecordingNotifier.h"

#include "base/Calendar.h"
#include "engine/irig/IrigGenerator.h"
#include "platform/linux/AlsaAudioDevice.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>

namespace velarin {
namespace {

struct ScopedEnvironment {
    ScopedEnvironment(const char* name, const char* value)
        : name(name)
    {
        qputenv(name, value);
    }
    ~ScopedEnvironment() { previous.isNull() ? qunsetenv(name) : qputenv(name, previous); }
    const char* name;
    const QByteArray previous = qgetenv(name);
};

// Points ALSA at a configuration of our own: one PCM that records what it is given into a raw
// file through ALSA's file plugin, and no "default" device at all.
struct AlsaFileConfiguration {
    AlsaFileConfiguration()
    {
        std::ofstream(configPath_) << "pcm.velarin_irig_file {\n    type file\n"
                                      "    slave.pcm { type null }\n    file \""
                                   << rawPath_ << "\"\n    format \"raw\"\n}\n";
    }
    QTemporaryDir dir_;
    const std::string rawPath_ = dir_.filePath("irig.raw").toStdString();
    const std::string configPath_ = dir_.filePath("asoundrc").toStdString();
    ScopedEnvironment environment_ { "ALSA_CONFIG_PATH", configPath_.c_str() };
};

const int64_t kStart = *ToUnixMilliseconds(SystemTime { 2004, 3, 0, 1, 23, 59, 58, 0 }) * 1000;

TEST(AlsaIrigOutput, FramesReachTheFilePluginAndDecodeToTheirTimes)
{
    for (bool ahead : { false, true }) {
        AlsaFileConfiguration alsa;
        int64_t now = kStart + 20000;
        SimulatedSystemClock clock([&] { return now; });
        AlsaAudioDevice device("velarin_irig_file");
        test::RecordingNotifier notifier;
        {
            CIrigGenerator generator(clock, device, notifier);
            generator.SetSampleRate(CIrigGenerator::SampleRateForCompression(15));
            generator.SetUtcMode(1);
            generator.SetQueueAhead(ahead);
            ASSERT_TRUE(generator.Start());
            for (int tick = 0; tick < 100; ++tick, now += 50000)
                generator.Tick();
            generator.Stop();
        }
        const auto frames = test::DecodeIrigStream(test::ReadRawSamples(alsa.rawPath_));
        ASSERT_EQ(frames.size(), 4u) << "ahead " << ahead;
        // The output starts in 23:59:58 on 1 March 2004 (day 61), whose frame is not sent;
        // a frame queued ahead carries the second after the one it was queued in.
        for (size_t k = 0; k < frames.size(); ++k) {
            const int t = 86398 + (ahead ? 2 : 1) + int(k); // from the start of day 61
            ASSERT_TRUE(frames[k].valid) << frames[k].error;
            EXPECT_EQ(frames[k].Time(),
                std::tuple(t / 3600 % 24, t / 60 % 60, t % 60, 61 + t / 86400, t % 86400))
                << k;
        }
    }
}

TEST(AlsaIrigOutput, NoUsableOutputShowsNoSoundOutputDeviceAndTheNameComesFromTheEnvironment)
{
    AlsaFileConfiguration alsa; // defines no "default" device
    SimulatedSystemClock clock;
    AlsaAudioDevice device("default");
    test::RecordingNotifier notifier;
    CIrigGenerator generator(clock, device, notifier);
    EXPECT_EQ(device.OutputDeviceCount(), 0);
    EXPECT_FALSE(generator.Start());
    EXPECT_EQ(notifier.Texts(), std::vector<std::string> { "No Sound Output Device" });

    ScopedEnvironment set("VELARIN_ALSA_DEVICE", "plughw:1,0");
    EXPECT_EQ(AlsaAudioDevice().DeviceName(), "plughw:1,0");
}

} // namespace
} // namespace velarin
