#include "platform/linux/AlsaAudioDevice.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>

namespace velarin {

namespace {

// ALSA prints its own diagnostics on stderr; the program reports device problems itself.
void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) { }

int positiveError(long alsaResult)
{
    return alsaResult < 0 ? static_cast<int>(-alsaResult) : EIO;
}

// Two whole frames must fit in the ring buffer (one playing, the next queued behind it), so the
// buffer holds three seconds; a 5 ms period keeps the latency and the position steps small.
constexpr unsigned kBufferSeconds = 3;
constexpr unsigned kPeriodsPerSecond = 200;

} // namespace

AlsaAudioDevice::AlsaAudioDevice(std::string deviceName)
    : deviceName_(std::move(deviceName))
{
    snd_lib_error_set_handler(quietAlsaErrors);
}

AlsaAudioDevice::~AlsaAudioDevice()
{
    if (pcm_ != nullptr)
        snd_pcm_close(pcm_);
}

std::string AlsaAudioDevice::DeviceNameFromEnvironment()
{
    const char* name = std::getenv("VELARIN_ALSA_DEVICE");
    return name != nullptr && *name != '\0' ? std::string(name) : std::string("default");
}

int AlsaAudioDevice::OutputDeviceCount()
{
    if (pcm_ != nullptr)
        return 1;
    snd_pcm_t* probe = nullptr;
    const int result
        = snd_pcm_open(&probe, deviceName_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (result == 0) {
        snd_pcm_close(probe);
        return 1;
    }
    // A device that exists but is taken by another program still counts: opening it then
    // fails with its own message.
    return result == -EBUSY || result == -EAGAIN ? 1 : 0;
}

int AlsaAudioDevice::GetCapabilities(AudioCapabilities& capabilities)
{
    snd_pcm_t* probe = nullptr;
    int result
        = snd_pcm_open(&probe, deviceName_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (result < 0)
        return positiveError(result);
    snd_pcm_hw_params_t* params = nullptr;
    snd_pcm_hw_params_alloca(&params);
    result = snd_pcm_hw_params_any(probe, params);
    if (result >= 0) {
        unsigned minRate = 0;
        unsigned maxRate = 0;
        unsigned maxChannels = 0;
        int dir = 0;
        snd_pcm_hw_params_get_rate_min(params, &minRate, &dir);
        snd_pcm_hw_params_get_rate_max(params, &maxRate, &dir);
        snd_pcm_hw_params_get_channels_max(params, &maxChannels);
        capabilities.name = snd_pcm_name(probe) != nullptr ? snd_pcm_name(probe) : deviceName_;
        capabilities.minSampleRate = minRate;
        capabilities.maxSampleRate = maxRate;
        capabilities.maxChannels
            = static_cast<uint16_t>(maxChannels > 0xFFFF ? 0xFFFF : maxChannels);
    }
    snd_pcm_close(probe);
    return result < 0 ? positiveError(result) : 0;
}

int AlsaAudioDevice::Open(const AudioFormat& format)
{
    if (pcm_ != nullptr)
        return EBUSY;
    if (format.sampleRate == 0 || format.channels != 1 || format.bitsPerSample != 16)
        return EINVAL;
    int result
        = snd_pcm_open(&pcm_, deviceName_.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK);
    if (result < 0) {
        pcm_ = nullptr;
        return positiveError(result);
    }
    result = configure(format);
    if (result != 0) {
        snd_pcm_close(pcm_);
        pcm_ = nullptr;
        return result;
    }
    written_ = 0;
    return 0;
}

int AlsaAudioDevice::configure(const AudioFormat& format)
{
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    unsigned rate = format.sampleRate;
    snd_pcm_uframes_t buffer = static_cast<snd_pcm_uframes_t>(rate) * kBufferSeconds;
    snd_pcm_uframes_t period = rate / kPeriodsPerSecond;
    int dir = 0;
    int result = snd_pcm_hw_params_any(pcm_, hw);
    if (result >= 0)
        result = snd_pcm_hw_params_set_access(pcm_, hw, SND_PCM_ACCESS_RW_INTERLEAVED);
    if (result >= 0)
        result = snd_pcm_hw_params_set_format(pcm_, hw, SND_PCM_FORMAT_S16_LE);
    if (result >= 0)
        result = snd_pcm_hw_params_set_channels(pcm_, hw, 1);
    if (result >= 0)
        result = snd_pcm_hw_params_set_rate_resample(pcm_, hw, 1);
    // The frame timing depends on the exact rate: a near rate would not do.
    if (result >= 0)
        result = snd_pcm_hw_params_set_rate(pcm_, hw, rate, 0);
    if (result >= 0)
        result = snd_pcm_hw_params_set_buffer_size_near(pcm_, hw, &buffer);
    if (result >= 0)
        result = snd_pcm_hw_params_set_period_size_near(pcm_, hw, &period, &dir);
    if (result >= 0)
        result = snd_pcm_hw_params(pcm_, hw);
    if (result < 0)
        return positiveError(result);
    snd_pcm_hw_params_get_buffer_size(hw, &buffer);
    snd_pcm_hw_params_get_period_size(hw, &period, &dir);
    bufferFrames_ = buffer;
    periodFrames_ = period;

    snd_pcm_sw_params_t* sw = nullptr;
    snd_pcm_sw_params_alloca(&sw);
    result = snd_pcm_sw_params_current(pcm_, sw);
    // Start playing with the first frame written instead of waiting for a full buffer.
    if (result >= 0)
        result = snd_pcm_sw_params_set_start_threshold(pcm_, sw, 1);
    if (result >= 0)
        result = snd_pcm_sw_params(pcm_, sw);
    if (result >= 0)
        result = snd_pcm_prepare(pcm_);
    return result < 0 ? positiveError(result) : 0;
}

int AlsaAudioDevice::WriteSamples(const int16_t* samples, uint32_t count, uint64_t& endPosition)
{
    const snd_pcm_state_t state = snd_pcm_state(pcm_);
    // A queue that ran dry stops the card (an underrun); restart it for the new buffer.
    if (state == SND_PCM_STATE_XRUN || state == SND_PCM_STATE_SETUP
        || state == SND_PCM_STATE_SUSPENDED || state == SND_PCM_STATE_PAUSED) {
        const int result = state == SND_PCM_STATE_PAUSED ? snd_pcm_drop(pcm_) : 0;
        if (result < 0 || snd_pcm_prepare(pcm_) < 0)
            return positiveError(result < 0 ? result : -EIO);
    }
    snd_pcm_sframes_t done = snd_pcm_writei(pcm_, samples, count);
    if (done == -EPIPE || done == -ESTRPIPE) {
        const int result = snd_pcm_prepare(pcm_);
        if (result < 0)
            return positiveError(result);
        done = snd_pcm_writei(pcm_, samples, count);
    }
    if (done < 0)
        return positiveError(done);
    written_ += static_cast<uint64_t>(done);
    endPosition = written_;
    // The ring buffer is sized for two frames; a shorter write means the card fell behind.
    return static_cast<uint32_t>(done) == count ? 0 : EAGAIN;
}

int64_t AlsaAudioDevice::PendingFrames()
{
    if (pcm_ == nullptr)
        return 0;
    snd_pcm_sframes_t delay = 0;
    const snd_pcm_state_t state = snd_pcm_state(pcm_);
    if (state != SND_PCM_STATE_RUNNING && state != SND_PCM_STATE_DRAINING
        && state != SND_PCM_STATE_PAUSED)
        return 0;
    if (snd_pcm_delay(pcm_, &delay) < 0 || delay < 0)
        return 0;
    return static_cast<int64_t>(delay);
}

uint64_t AlsaAudioDevice::PlayedPosition()
{
    const auto pending = static_cast<uint64_t>(PendingFrames());
    return pending < written_ ? written_ - pending : 0;
}

int AlsaAudioDevice::Pause()
{
    if (pcm_ == nullptr)
        return EBADF;
    if (snd_pcm_state(pcm_) != SND_PCM_STATE_RUNNING)
        return 0;
    snd_pcm_hw_params_t* hw = nullptr;
    snd_pcm_hw_params_alloca(&hw);
    if (snd_pcm_hw_params_current(pcm_, hw) < 0 || !snd_pcm_hw_params_can_pause(hw))
        return ENOTSUP;
    const int result = snd_pcm_pause(pcm_, 1);
    return result < 0 ? positiveError(result) : 0;
}

int AlsaAudioDevice::Reset()
{
    if (pcm_ == nullptr)
        return EBADF;
    const int result = snd_pcm_drop(pcm_);
    return result < 0 ? positiveError(result) : 0;
}

int AlsaAudioDevice::Close()
{
    if (pcm_ == nullptr)
        return EBADF;
    const int result = snd_pcm_close(pcm_);
    pcm_ = nullptr;
    return result < 0 ? positiveError(result) : 0;
}

} // namespace velarin
