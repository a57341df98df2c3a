#include "IrigDecoder.h"
#include "support/NmeaSentence.h"

#include <cstdlib>
#include <cstring>

namespace velarin::test {

namespace {

constexpr size_t kCycle = 16;
constexpr size_t kSlot = 10 * kCycle;
constexpr size_t kFrame = 100 * kSlot;
// Between the low (about 10900) and the high (about 32767) envelope.
constexpr int kHighThreshold = 21845;

// Slots first..first+count-1 as a binary number, least significant first.
int bits(const IrigFrame& frame, int first, int count)
{
    int value = 0;
    for (int bit = 0; bit < count; ++bit)
        value |= frame.slots[first + bit] == '1' ? 1 << bit : 0;
    return value;
}

uint32_t readLittleEndian(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= uint32_t { static_cast<uint8_t>(bytes[at + i]) } << (8 * i);
    return value;
}

std::vector<int16_t> samplesOf(const std::string& bytes, size_t from, size_t to)
{
    std::vector<int16_t> samples;
    for (size_t i = from; i + 1 < to; i += 2)
        samples.push_back(static_cast<int16_t>(readLittleEndian(bytes, i, 2)));
    return samples;
}

} // namespace

IrigFrame DecodeIrigFrame(const std::vector<int16_t>& samples, size_t start)
{
    IrigFrame frame;
    frame.startSample = start;
    if (start + kFrame > samples.size()) {
        frame.error = "frame runs past the end";
        return frame;
    }
    frame.valid = true;
    for (size_t slot = 0; slot < 100; ++slot) {
        int high = 0;
        for (size_t at = start + slot * kSlot; at < start + (slot + 1) * kSlot; at += kCycle) {
            int envelope = 0;
            for (size_t i = 0; i < kCycle; ++i)
                envelope = std::max(envelope, std::abs(int { samples[at + i] }));
            high += envelope > kHighThreshold;
        }
        const char kind = high == 2 ? '0' : high == 5 ? '1' : high == 8 ? 'M' : '?';
        frame.slots[slot] = kind;
        if ((kind == '?' || (kind == 'M') != (slot == 0 || slot % 10 == 9)) && frame.valid) {
            frame.valid = false;
            frame.error
                = "slot " + std::to_string(slot) + " has " + std::to_string(high) + " high cycles";
        }
    }
    // BCD units and tens (and hundreds of days), then the control field and straight binary.
    frame.seconds = bits(frame, 1, 4) + 10 * bits(frame, 6, 3);
    frame.minutes = bits(frame, 10, 4) + 10 * bits(frame, 15, 3);
    frame.hours = bits(frame, 20, 4) + 10 * bits(frame, 25, 2);
    frame.dayOfYear = bits(frame, 30, 4) + 10 * bits(frame, 35, 4) + 100 * bits(frame, 40, 2);
    frame.letter = bits(frame, 50, 7);
    frame.straightBinarySeconds = bits(frame, 80, 9) | bits(frame, 90, 8) << 9;
    return frame;
}

std::vector<IrigFrame> DecodeIrigStream(const std::vector<int16_t>& samples)
{
    std::vector<IrigFrame> frames;
    // A frame opens with the zero crossing of its first carrier cycle; silence is exact zeros.
    for (size_t at = 0; at < samples.size(); at += kFrame) {
        while (at < samples.size() && samples[at] == 0)
            ++at;
        if (at >= samples.size())
            break;
        at = at > 0 ? at - 1 : 0;
        frames.push_back(DecodeIrigFrame(samples, at));
    }
    return frames;
}

WavData ReadWavFile(const std::string& path)
{
    WavData wav;
    const std::string bytes = ReadFileBytes(path);
    // The program writes the canonical header: "fmt " at 12, "data" at 36, samples from 44.
    if (bytes.size() < 44 || std::memcmp(bytes.data(), "RIFF", 4) != 0
        || std::memcmp(bytes.data() + 8, "WAVEfmt ", 8) != 0
        || std::memcmp(bytes.data() + 36, "data", 4) != 0) {
        wav.error = "not a canonical RIFF WAVE file";
        return wav;
    }
    wav.channels = static_cast<uint16_t>(readLittleEndian(bytes, 22, 2));
    wav.sampleRate = readLittleEndian(bytes, 24, 4);
    wav.bitsPerSample = static_cast<uint16_t>(readLittleEndian(bytes, 34, 2));
    const size_t end = 44 + size_t { readLittleEndian(bytes, 40, 4) };
    if (end > bytes.size())
        wav.error = "data chunk runs past the end";
    else
        wav.samples = samplesOf(bytes, 44, end);
    return wav;
}

std::vector<int16_t> ReadRawSamples(const std::string& path)
{
    const std::string bytes = ReadFileBytes(path);
    return samplesOf(bytes, 0, bytes.size());
}

} // namespace velarin::test
