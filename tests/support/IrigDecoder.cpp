#include "IrigDecoder.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace velarin::test {

namespace {

constexpr size_t kCycle = 16;
constexpr size_t kSlot = 10 * kCycle;
constexpr size_t kFrame = 100 * kSlot;
// Between the low (about 10900) and the high (about 32767) envelope.
constexpr int kHighThreshold = 21845;

int fieldBits(const IrigFrame& frame, std::initializer_list<std::pair<int, int>> slotWeights)
{
    int value = 0;
    for (auto [slot, weight] : slotWeights) {
        if (frame.slots[slot] == '1')
            value += weight;
    }
    return value;
}

uint32_t readLittleEndian(const std::vector<uint8_t>& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value |= uint32_t { bytes[at + i] } << (8 * i);
    return value;
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
        for (size_t cycle = 0; cycle < 10; ++cycle) {
            int envelope = 0;
            const size_t at = start + slot * kSlot + cycle * kCycle;
            for (size_t i = 0; i < kCycle; ++i)
                envelope = std::max(envelope, std::abs(int { samples[at + i] }));
            if (envelope > kHighThreshold)
                ++high;
        }
        const char kind = high == 2 ? '0' : high == 5 ? '1' : high == 8 ? 'M' : '?';
        frame.slots[slot] = kind;
        const bool markerSlot = slot == 0 || slot % 10 == 9;
        if (kind == '?' || (kind == 'M') != markerSlot) {
            frame.valid = false;
            if (frame.error.empty())
                frame.error = "slot " + std::to_string(slot) + " has " + std::to_string(high)
                    + " high cycles";
        }
    }
    frame.seconds = fieldBits(
        frame, { { 1, 1 }, { 2, 2 }, { 3, 4 }, { 4, 8 }, { 6, 10 }, { 7, 20 }, { 8, 40 } });
    frame.minutes = fieldBits(
        frame, { { 10, 1 }, { 11, 2 }, { 12, 4 }, { 13, 8 }, { 15, 10 }, { 16, 20 }, { 17, 40 } });
    frame.hours
        = fieldBits(frame, { { 20, 1 }, { 21, 2 }, { 22, 4 }, { 23, 8 }, { 25, 10 }, { 26, 20 } });
    frame.dayOfYear = fieldBits(frame,
        { { 30, 1 }, { 31, 2 }, { 32, 4 }, { 33, 8 }, { 35, 10 }, { 36, 20 }, { 37, 40 },
            { 38, 80 }, { 40, 100 }, { 41, 200 } });
    for (int bit = 0; bit < 7; ++bit)
        frame.letter |= frame.slots[50 + bit] == '1' ? 1 << bit : 0;
    int sbs = 0;
    for (int bit = 0; bit < 9; ++bit)
        sbs |= frame.slots[80 + bit] == '1' ? 1 << bit : 0;
    for (int bit = 0; bit < 8; ++bit)
        sbs |= frame.slots[90 + bit] == '1' ? 1 << (9 + bit) : 0;
    frame.straightBinarySeconds = sbs;
    return frame;
}

std::vector<IrigFrame> DecodeIrigStream(const std::vector<int16_t>& samples)
{
    std::vector<IrigFrame> frames;
    size_t at = 0;
    while (at < samples.size()) {
        // A frame opens with the zero crossing of its first carrier cycle.
        size_t first = at;
        while (first < samples.size() && samples[first] == 0)
            ++first;
        if (first >= samples.size())
            break;
        const size_t start = first > 0 ? first - 1 : 0;
        frames.push_back(DecodeIrigFrame(samples, start));
        if (start + kFrame > samples.size())
            break;
        at = start + kFrame;
    }
    return frames;
}

WavData ReadWavFile(const std::string& path)
{
    WavData wav;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    if (bytes.size() < 44 || std::memcmp(bytes.data(), "RIFF", 4) != 0
        || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        wav.error = "not a RIFF WAVE file";
        return wav;
    }
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const uint32_t size = readLittleEndian(bytes, at + 4, 4);
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16
            && at + 24 <= bytes.size()) {
            wav.channels = static_cast<uint16_t>(readLittleEndian(bytes, at + 10, 2));
            wav.sampleRate = readLittleEndian(bytes, at + 12, 4);
            wav.bitsPerSample = static_cast<uint16_t>(readLittleEndian(bytes, at + 22, 2));
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            if (at + 8 + size > bytes.size()) {
                wav.error = "data chunk runs past the end";
                return wav;
            }
            for (size_t i = at + 8; i + 1 < at + 8 + size; i += 2)
                wav.samples.push_back(static_cast<int16_t>(readLittleEndian(bytes, i, 2)));
            return wav;
        }
        at += 8 + size + (size & 1);
    }
    wav.error = "no data chunk";
    return wav;
}

std::vector<int16_t> ReadRawSamples(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<int16_t> samples;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        samples.push_back(static_cast<int16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return samples;
}

} // namespace velarin::test
