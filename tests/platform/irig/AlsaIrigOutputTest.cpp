#include "support/IrigDecoder.h"
#include "support/RecordingNotifier.h"

#include "base/Calendar.h"
#include "engine/irig/IrigGenerator.h"
#include "platform/linux/AlsaAudioDevice.h"
#include "platform/sim/SimulatedSystemClock.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace velarin {
namespace {

// Points ALSA at a configuration of our own for the life of a test: one PCM that records what
// it is given into a raw file through ALSA's file plugin, and no "default" device at all.
class AlsaFileConfiguration {
public:
    AlsaFileConfiguration()
    {
        const char* previous = std::getenv("ALSA_CONFIG_PATH");
        if (previous != nullptr)
            previous_ = previous;
        rawPath_ = dir_.filePath("irig.raw").toStdString();
        configPath_ = dir_.filePath("asoundrc").toStdString();
        std::ofstream config(configPath_);
        config << "pcm.velarin_irig_file {\n"
                  "    type file\n"
                  "    slave.pcm { type null }\n"
                  "    file \""
               << rawPath_
               << "\"\n"
                  "    format \"raw\"\n"
                  "}\n";
        setenv("ALSA_CONFIG_PATH", configPath_.c_str(), 1);
    }
    ~AlsaFileConfiguration()
    {
        if (previous_)
            setenv("ALSA_CONFIG_PATH", previous_->c_str(), 1);
        else
            unsetenv("ALSA_CONFIG_PATH");
    }
    const std::string& RawPath() const { return rawPath_; }

private:
    QTemporaryDir dir_;
    std::string rawPath_;
    std::string configPath_;
    std::optional<std::string> previous_;
};

int64_t startMicroseconds()
{
    SystemTime t;
    t.year = 2004;
    t.month = 3;
    t.day = 1;
    t.hour = 23;
    t.minute = 59;
    t.second = 58;
    return *ToUnixMilliseconds(t) * 1000;
}

TEST(AlsaIrigOutput, FramesReachTheFilePluginAndDecodeToTheirTimes)
{
    for (bool ahead : { false, true }) {
        AlsaFileConfiguration alsa;
        int64_t now = startMicroseconds() + 20000;
        SimulatedSystemClock clock([&] { return now; });
        AlsaAudioDevice device("velarin_irig_file");
        test::RecordingNotifier notifier;
        {
            CIrigGenerator generator(clock, device, notifier);
            generator.SetSampleRate(CIrigGenerator::SampleRateForCompression(15));
            generator.SetUtcMode(1);
            generator.SetQueueAhead(ahead);
            ASSERT_TRUE(generator.Start());
            EXPECT_EQ(notifier.Texts(), std::vector<std::string> {});
            for (int tick = 0; tick < 100; ++tick) {
                generator.Tick();
                now += 50000;
            }
            EXPECT_EQ(generator.Stats().framesLost, 0u);
            EXPECT_EQ(generator.Stats().framesQueued, 4u);
            generator.Stop();
        }
        const auto frames = test::DecodeIrigStream(test::ReadRawSamples(alsa.RawPath()));
        ASSERT_EQ(frames.size(), 4u) << "ahead " << ahead;
        // The output starts in 23:59:58 on 1 March 2004 (day 61), whose frame is not sent;
        // a frame queued ahead carries the second after the one it was queued in.
        const int first = ahead ? 2 : 1;
        for (size_t k = 0; k < frames.size(); ++k) {
            const int offset = first + int(k);
            const int second = (58 + offset) % 60;
            const bool nextDay = 58 + offset >= 60;
            ASSERT_TRUE(frames[k].valid) << frames[k].error;
            EXPECT_EQ(frames[k].seconds, second) << k;
            EXPECT_EQ(frames[k].minutes, nextDay ? 0 : 59) << k;
            EXPECT_EQ(frames[k].hours, nextDay ? 0 : 23) << k;
            EXPECT_EQ(frames[k].dayOfYear, nextDay ? 62 : 61) << k;
            EXPECT_EQ(frames[k].straightBinarySeconds, nextDay ? second : 86398 + offset) << k;
        }
    }
}

TEST(AlsaIrigOutput, NoUsableAlsaOutputShowsNoSoundOutputDevice)
{
    AlsaFileConfiguration alsa; // defines no "default" device
    int64_t now = startMicroseconds();
    SimulatedSystemClock clock([&] { return now; });
    AlsaAudioDevice device("default");
    test::RecordingNotifier notifier;
    CIrigGenerator generator(clock, device, notifier);
    EXPECT_EQ(device.OutputDeviceCount(), 0);
    EXPECT_FALSE(generator.Start());
    EXPECT_FALSE(generator.IsRunning());
    EXPECT_EQ(notifier.Texts(), std::vector<std::string> { "No Sound Output Device" });
}

TEST(AlsaIrigOutput, DeviceNameComesFromTheEnvironment)
{
    const char* previous = std::getenv("VELARIN_ALSA_DEVICE");
    const std::optional<std::string> saved
        = previous != nullptr ? std::optional<std::string>(previous) : std::nullopt;
    unsetenv("VELARIN_ALSA_DEVICE");
    EXPECT_EQ(AlsaAudioDevice::DeviceNameFromEnvironment(), "default");
    setenv("VELARIN_ALSA_DEVICE", "plughw:1,0", 1);
    EXPECT_EQ(AlsaAudioDevice().DeviceName(), "plughw:1,0");
    if (saved)
        setenv("VELARIN_ALSA_DEVICE", saved->c_str(), 1);
    else
        unsetenv("VELARIN_ALSA_DEVICE");
}

} // namespace
} // namespace velarin
